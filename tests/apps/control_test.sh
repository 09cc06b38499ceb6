#!/usr/bin/env bash
# qlr ctl against a real qlr run in the background: the status shows a job
# waiting for its file; forcing the file while the run is suspended starts
# nothing until it resumes; stop closes the run with status 0 and removes its
# socket, after which nothing listens.
#
# usage: control_test.sh QLR
set -u
qlr=$1
dir=$(mktemp -d)
trap 'kill %1 2>/dev/null; rm -rf "$dir"' EXIT
cd "$dir" || exit 1

crlf() { sed 's/$/\r/'; }
fail() { echo "$*"; echo "--- run"; cat run.out; exit 1; }

{
  echo "[Quillrun]"
  echo "ScheduleName=CTL"
  echo "ScheduleFile=ctl.sch"
  echo "LogFile=ctl.log"
  for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
    echo "$key=<not specified>"
  done
  echo "DateDisplayFormat=0"
  echo "DayStart=$(date -d '-1 hour' +%H:%M)"  # both runs of a test fall in one run day
  echo "TimerSecs=1"
  echo "KickOnJobEnd=Y"
} | crlf > ctl.ini
fields=()
for i in $(seq 1 50); do fields[$i]=""; done
fields[1]=WAITER
fields[2]="\"sh -c \"\"echo WAITER >> runs.txt\"\"\""
fields[4]=Daily
fields[23]="$dir/in.flag"
fields[30]=CTL
(IFS=$'\t'; echo "${fields[*]:1}") | crlf > ctl.sch

"$qlr" run ctl.ini > run.out 2>&1 &
run=$!
for i in $(seq 1 100); do "$qlr" ctl ctl.ini status > status.txt 2>&1 && break; sleep 0.1; done
grep -q -F "WAITER	Wait File ($dir/in.flag)" status.txt || { cat status.txt; fail "status lacks the wait"; }

"$qlr" ctl ctl.ini force NOPE 2> err.txt
[ $? -eq 1 ] && grep -q "Unknown job: NOPE" err.txt || fail "an unknown job was not refused"
"$qlr" ctl ctl.ini suspend > /dev/null || fail "suspend refused"
"$qlr" --yes ctl ctl.ini force WAITER > /dev/null || fail "force refused"
sleep 3
[ ! -e runs.txt ] || fail "a job started while the run was suspended"
"$qlr" ctl ctl.ini status | grep -q "(suspended)" || fail "status does not say suspended"
"$qlr" ctl ctl.ini resume > /dev/null || fail "resume refused"
for i in $(seq 1 50); do [ -e runs.txt ] && break; sleep 0.1; done
[ -e runs.txt ] || fail "the forced job did not run after resume"

"$qlr" ctl ctl.ini stop > /dev/null || fail "stop refused"
wait $run || fail "the run ended with status $?"
[ ! -e ctl.sch.sock ] || fail "the socket outlived the run"
"$qlr" ctl ctl.ini status 2> /dev/null
[ $? -eq 3 ] || fail "ctl with no run listening did not exit 3"
echo "control: status, force, suspend, resume and stop reached the run"
