#!/usr/bin/env bash
# `qlr job set` of one field on a generated schedule of 32767 jobs, as a whole
# process: start-up, reading the schedule, the job editor's checks and the
# write with its backup. For comparison, `qlr job get` (start-up and reading
# only) and `qlr rewrite` (reading and writing). Prints the median wall time
# of RUNS runs (default 7) of each.
#
# usage: job_set.sh QLR MAKE_SCHEDULE
set -euo pipefail
qlr=$(realpath "$1")
make_schedule=$(realpath "$2")
runs=${RUNS:-7}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$make_schedule" "$dir" 32767
cd "$dir"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Bash's own clock: starting `date` around each run would add the cost of
# two more processes to every figure.
timed() {  # timed COMMAND... -> seconds
  local start end
  start=$EPOCHREALTIME
  "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$EPOCHREALTIME
  echo "$end - $start" | bc -l
}

# The generated programs do not exist here: --yes overrides the question.
for i in $(seq 1 "$runs"); do timed "$qlr" --yes job set bench.ini PAY00020 "cpu=$i"; done |
  median | xargs printf "qlr job set, one field:  median %.3f s\n"
for i in $(seq 1 "$runs"); do timed "$qlr" job get bench.ini PAY00020; done |
  median | xargs printf "qlr job get:             median %.3f s\n"
for i in $(seq 1 "$runs"); do timed "$qlr" rewrite bench.ini; done |
  median | xargs printf "qlr rewrite:             median %.3f s\n"
