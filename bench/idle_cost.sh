#!/usr/bin/env bash
# Idle cost: `qlr run` of 1000 jobs that all wait for a file which never
# comes, for SECONDS seconds (default 60), alone and with `qlr ctl status`
# asking once a second. Prints the user plus system time the run used as a
# share of one core.
#
# usage: idle_cost.sh QLR
set -eu
qlr=$1
seconds=${SECONDS_TO_RUN:-60}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

crlf() { sed 's/$/\r/'; }
{
  echo "[Quillrun]"
  echo "ScheduleName=IDLE"
  echo "ScheduleFile=idle.sch"
  echo "LogFile=idle.log"
  for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
    echo "$key=<not specified>"
  done
  echo "TimerSecs=30"
} | crlf > idle.ini
for i in $(seq 1 1000); do
  printf 'W%d\ttrue\t\tDaily\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t%s\t\t\t\t\t\t\tIDLE' "$i" "$dir/never.flag"
  printf '\t%.0s' $(seq 31 50)
  echo
done | crlf > idle.sch

# idle LABEL [POLL]: the run for the time given, polled once a second with POLL.
idle() {
  local poller=
  if [ "${2:-}" = poll ]; then
    (while sleep 1; do "$qlr" ctl idle.ini status > /dev/null 2>&1; done) &
    poller=$!
  fi
  /usr/bin/time -f "%U %S" -o cpu.txt timeout -s TERM "$seconds" "$qlr" run idle.ini > /dev/null 2>&1 || true
  [ -z "$poller" ] || kill "$poller"
  read -r user sys < <(tail -n 1 cpu.txt)
  echo "$user $sys $seconds" | awk -v label="$1" '{printf "qlr run idle, 1000 jobs waiting%s: %.2f s CPU in %d s = %.3f%% of one core\n", label, $1 + $2, $3, 100 * ($1 + $2) / $3}'
}

idle ""
idle ", qlr ctl status every second" poll
