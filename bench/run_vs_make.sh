#!/usr/bin/env bash
# End to end: 200 jobs running `true`, in 20 chains of ten joined by a final
# job, run by `qlr run --until-complete` (with and without KickOnJobEnd) and by
# `make -j2` from a Makefile with the same dependencies. Prints the median
# wall time of five runs of each.
#
# usage: run_vs_make.sh QLR
set -eu
qlr=$1
runs=${RUNS:-5}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

crlf() { sed 's/$/\r/'; }

ini() {  # ini KICK_ON_JOB_END
  {
    echo "[Quillrun]"
    echo "ScheduleName=E2E"
    echo "ScheduleFile=e2e.sch"
    echo "LogFile=e2e.log"
    for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
      echo "$key=<not specified>"
    done
    echo "TimerSecs=1"
    echo "KickOnJobEnd=$1"
  } | crlf > e2e.ini
}

job_line() {  # job_line NAME RUNAFTER...
  local fields=() i
  for i in $(seq 1 50); do fields[$i]=""; done
  fields[1]=$1; fields[2]="true"; fields[4]="Daily"; fields[30]="E2E"
  shift
  if [ $# -gt 0 ]; then
    local after="" conds=""
    for i in "$@"; do after+="$i,"; conds+="S"; done
    fields[7]="\"$after\""; fields[45]=$conds
  fi
  (IFS=$'\t'; echo "${fields[*]:1}") | crlf
}

schedule() {
  : > e2e.sch
  local last=() c s
  for c in $(seq 1 20); do
    for s in $(seq 1 10); do
      if [ "$s" -eq 1 ]; then job_line "C${c}S$s"; else job_line "C${c}S$s" "C${c}S$((s - 1))"; fi
    done >> e2e.sch
    last+=("C${c}S10")
  done
  job_line FINAL "${last[@]}" >> e2e.sch
  {
    echo "all: FINAL"
    for c in $(seq 1 20); do
      for s in $(seq 1 10); do
        if [ "$s" -eq 1 ]; then echo "C${c}S$s:"; else echo "C${c}S$s: C${c}S$((s - 1))"; fi
        printf '\ttrue\n'
      done
    done
    echo "FINAL: ${last[*]}"
    printf '\ttrue\n'
    echo ".PHONY: all FINAL $(for c in $(seq 1 20); do for s in $(seq 1 10); do printf 'C%sS%s ' "$c" "$s"; done; done)"
  } > Makefile
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

timed() {  # timed COMMAND... -> seconds
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

schedule
for kick in Y N; do
  ini "$kick"
  for i in $(seq 1 "$runs"); do
    "$qlr" reset e2e.ini > /dev/null 2>&1
    timed "$qlr" run e2e.ini --until-complete
  done | median | xargs printf "qlr run, KickOnJobEnd=%s: median %.3f s\n" "$kick"
done
for i in $(seq 1 "$runs"); do timed make -s -j2 all; done | median |
  xargs printf "make -j2:                median %.3f s\n"
