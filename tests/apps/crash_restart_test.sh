#!/usr/bin/env bash
# Kills `qlr run` with SIGKILL at random moments and starts it again until the
# day completes. Afterwards no job may have run twice, every job must have run
# at most once (exactly once unless its start could not be confirmed), and at
# every moment the schedule file or its backup must be whole.
#
# The kill times come from bash's RANDOM, seeded from SEED (or QLR_CRASH_SEED),
# or from the clock when neither is given; the seed is printed first, so that a
# failing run can be repeated with the same kill times.
#
# usage: crash_restart_test.sh QLR [SEED]
set -u
qlr=$1
seed=${2:-${QLR_CRASH_SEED:-$(( $(date +%s%N) % 32768 ))}}
echo "crash/restart: seed $seed (repeat with QLR_CRASH_SEED=$seed)"
RANDOM=$seed
dir=$(mktemp -d)
trap 'pkill -f "$dir" 2>/dev/null; rm -rf "$dir"' EXIT
cd "$dir" || exit 1

crlf() { sed 's/$/\r/'; }

{
  echo "[Quillrun]"
  echo "ScheduleName=CRASH"
  echo "ScheduleFile=crash.sch"
  echo "LogFile=crash.log"
  for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
    echo "$key=<not specified>"
  done
  echo "TimerSecs=1"
  echo "KickOnJobEnd=Y"
} | crlf > crash.ini

# 4 chains of 5 jobs; each job notes its start, then takes a moment.
: > crash.sch
for chain in 1 2 3 4; do
  for step in 1 2 3 4 5; do
    name="C${chain}S${step}"
    fields=()
    for i in $(seq 1 50); do fields[$i]=""; done
    fields[1]=$name
    fields[2]="sh -c \"\"echo $name >> runs.txt; sleep 0.3\"\""
    fields[2]="\"${fields[2]}\""
    fields[4]="Daily"
    if [ "$step" -gt 1 ]; then
      fields[7]="\"C${chain}S$((step - 1)),\""
      fields[45]="S"
    fi
    fields[30]="CRASH"
    (IFS=$'\t'; echo "${fields[*]:1}") | crlf >> crash.sch
  done
done

schedule_is_whole() {
  [ -s crash.sch ] || [ -s crash.bak ] || { echo "schedule file and backup both missing"; return 1; }
  "$qlr" show crash.ini > /dev/null 2>&1 || { echo "qlr show failed after a crash"; return 1; }
}

completed=no
for attempt in $(seq 1 40); do
  "$qlr" run crash.ini --until-complete > "out.$attempt" 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 9 + 1))"
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    schedule_is_whole || exit 1
  else
    wait "$pid"
    status=$?
    if [ $status -eq 0 ] && grep -q "Schedule Completed at" "out.$attempt"; then
      completed=yes
      break
    fi
    echo "qlr run ended with status $status:"; cat "out.$attempt"; exit 1
  fi
done
[ "$completed" = yes ] || { echo "the day never completed"; exit 1; }

dups=$(sort runs.txt | uniq -d)
[ -z "$dups" ] || { echo "jobs that ran twice: $dups"; exit 1; }
ran=$(sort -u runs.txt | wc -l)
unconfirmed=$(grep -c "previous submission failed" out.* | awk -F: '{s+=$2} END {print s+0}')
if [ "$ran" -lt $((20 - unconfirmed)) ]; then
  echo "only $ran of 20 jobs ran"; exit 1
fi
echo "crash/restart: $attempt starts, $ran jobs ran once each (seed $seed)"
