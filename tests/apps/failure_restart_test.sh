#!/usr/bin/env bash
# Jobs fail in each way the engine notices (an error text in the last output
# or while the job runs, an exit code, a signal); `qlr run` is stopped and
# started again for the same run date. The second run must list them as
# failed, run none of them again, keep their dependents where the failure
# left them, and start nothing.
#
# usage: failure_restart_test.sh QLR
set -u
qlr=$1
dir=$(mktemp -d)
trap 'pkill -f "$dir" 2>/dev/null; rm -rf "$dir"' EXIT
cd "$dir" || exit 1

crlf() { sed 's/$/\r/'; }
fail() { echo "$*"; for f in out.*; do echo "--- $f"; cat "$f"; done; exit 1; }

{
  echo "[Quillrun]"
  echo "ScheduleName=FAILS"
  echo "ScheduleFile=fails.sch"
  echo "LogFile=fails.log"
  for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
    echo "$key=<not specified>"
  done
  echo "DateDisplayFormat=0"
  # The run day began an hour ago: both runs fall in it even close to midnight.
  echo "DayStart=$(date -d '-1 hour' +%H:%M)"
  echo "TimerSecs=1"
  echo "KickOnJobEnd=Y"
  echo "RunTimeErrorText=FATAL:"
  echo "FailOnExitCode=Y"
} | crlf > fails.ini

# job NAME "SHELL COMMAND" [PREDECESSOR CONDITION AUTO-UNSCHEDULE]
job() {
  local fields=() i
  for i in $(seq 1 50); do fields[$i]=""; done
  fields[1]=$1
  fields[2]="\"sh -c \"\"echo $1 >> runs.txt; $2\"\"\""
  fields[4]="Daily"
  if [ $# -gt 2 ]; then
    fields[7]="\"$3,\""
    fields[45]=$4
    fields[46]=${5:-}
  fi
  fields[30]="FAILS"
  (IFS=$'\t'; echo "${fields[*]:1}") | crlf >> fails.sch
}
: > fails.sch
job TEXTEND "echo FATAL: boom"
job TEXTRUN "echo FATAL: boom; exec sleep 60"
job EXITCODE "exit 3"
job SIGNAL "kill -9 \$\$"
job WAITS "true" TEXTEND S
job GOESOFF "true" TEXTRUN S Y
job ONFAIL "true" EXITCODE F

# run N: starts `qlr run`, waits until its output matches PATTERN COUNT times
# (at most 30 seconds), then stops it as SIGTERM does.
run() {
  local n=$1 pattern=$2 count=$3
  "$qlr" run fails.ini > "out.$n" 2>&1 &
  local pid=$! tries=0
  until [ "$(grep -c -E "$pattern" "out.$n")" -ge "$count" ]; do
    tries=$((tries + 1))
    [ $tries -le 300 ] || { kill -TERM $pid; fail "run $n: no $count lines matching '$pattern'"; }
    sleep 0.1
  done
  kill -TERM $pid
  wait $pid || fail "run $n ended with status $?"
}

run 1 $'\tFailed at |ONFAIL +\tCompleted at |GOESOFF\tUnscheduled at ' 6
run 2 'Job\(s\) scheduled\.' 1

for expected in $'TEXTEND  (Daily)\tprevious execution failed' $'TEXTRUN  (Daily)\tprevious execution failed' \
                $'EXITCODE (Daily)\tprevious execution failed' $'SIGNAL   (Daily)\tprevious execution failed' \
                $'GOESOFF  (Daily)\tpreviously unscheduled' $'ONFAIL   (Daily)\tpreviously completed' \
                '4 Job(s) previously failed.'; do
  grep -q -F "$expected" out.2 || fail "the second run lacks: $expected"
done
! grep -q 'Submitted at' out.2 || fail "the second run started a job"
dups=$(sort runs.txt | uniq -d)
[ -z "$dups" ] || fail "jobs that ran twice: $dups"
! grep -q -E 'WAITS|GOESOFF' runs.txt || fail "a job ran after its predecessor failed"
echo "failure/restart: every failure was still one after the restart"
