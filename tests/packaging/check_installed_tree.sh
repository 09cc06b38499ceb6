#!/usr/bin/env bash
# Checks an installed Quillrun tree: every file is in its place, each program
# runs from there and prints the version, the man pages render without a
# warning, the desktop entry is valid, and a dummy run finds QLRDummy at its
# installed place (the tree does not sit at the prefix it was built for, so
# that also shows it can be moved).
#
# usage: check_installed_tree.sh TREE PREFIX VERSION [--gui] [--tovani]
#   TREE     where the prefix's content is now (DESTDIR + prefix, or an unpacked .deb's usr/)
#   PREFIX   the prefix the tree was built for (the systemd unit names PREFIX/bin/qlr)
#   --gui    quillrun, its desktop entry and icon are expected; --tovani: QLRTovani too
# Exit status: 0 all good, 1 a check failed, 77 a checking tool is missing.
set -u
tree=$1 prefix=$2 version=$3
shift 3
gui=false tovani=false
for option in "$@"; do
  case $option in
    --gui) gui=true ;;
    --tovani) tovani=true ;;
    "") ;;  # an option the build left out
    *) echo "unknown option $option" >&2; exit 2 ;;
  esac
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

need_tools() {
  local tool missing=()
  for tool in man desktop-file-validate; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (Debian: man-db desktop-file-utils)"
    exit 77
  fi
}

expected_files() {
  echo bin/qlr bin/QLRMail libexec/quillrun/QLRDummy
  echo share/quillrun/help/Startup.html share/quillrun/help/help.css
  echo share/quillrun/examples/demo/demo.ini share/quillrun/examples/demo/demo.sch
  echo share/quillrun/examples/demo/holidays.txt lib/systemd/system/quillrun@.service
  echo share/man/man1/qlr.1.gz share/man/man1/QLRMail.1.gz
  echo share/man/man5/quillrun-ini.5.gz share/man/man5/quillrun-schedule.5.gz
  if $gui; then
    echo bin/quillrun share/man/man1/quillrun.1.gz share/applications/quillrun.desktop
    echo share/icons/hicolor/scalable/apps/quillrun.svg
  fi
  if $tovani; then echo bin/QLRTovani share/man/man1/QLRTovani.1.gz; fi
}

check_files() {
  local file
  for file in $(expected_files); do
    [ -f "$tree/$file" ] || fail "missing $file"
  done
  for file in bin/qlr bin/QLRMail libexec/quillrun/QLRDummy; do
    [ -x "$tree/$file" ] || fail "not executable: $file"
  done
}

check_versions() {
  local program output
  local programs=(bin/qlr bin/QLRMail libexec/quillrun/QLRDummy)
  $gui && programs+=(bin/quillrun)
  $tovani && programs+=(bin/QLRTovani)
  for program in "${programs[@]}"; do
    output=$("$tree/$program" --version 2>&1)
    [ "$output" = "$(basename "$program") (Quillrun) $version" ] ||
      fail "$program --version printed: $output"
  done
}

check_man_pages() {
  local page rendered warnings
  for page in "$tree"/share/man/man[15]/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null | grep -c .)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    [ "$rendered" -gt 10 ] || fail "$(basename "$page") renders $rendered lines"
  done
}

check_desktop_files() {
  local unit=$tree/lib/systemd/system/quillrun@.service
  grep -q "^ExecStart=$prefix/bin/qlr run " "$unit" || fail "the unit does not start $prefix/bin/qlr"
  $gui || return 0
  local report
  report=$(desktop-file-validate "$tree/share/applications/quillrun.desktop" 2>&1) ||
    fail "desktop-file-validate: $report"
}

# One job, run as a dummy run of today until the day is complete.
check_dummy_run() {
  local work
  work=$(mktemp -d)
  printf '[Quillrun]\r\nScheduleName=CHECK\r\nScheduleFile=check.sch\r\nLogFile=check.log\r\n' \
    > "$work/check.ini"
  local key
  for key in EmailAddrPath TriggerPath TrackerPath JobDocPath EmailPath EmailAttPath PubHols; do
    printf '%s=<not specified>\r\n' "$key" >> "$work/check.ini"
  done
  printf 'DateDisplayFormat=0\r\nDummyModel=%%DummyProg%% JN=%%JobName%%,SECS=0\r\n' >> "$work/check.ini"
  printf 'KickOnJobEnd=Y\r\n' >> "$work/check.ini"
  printf 'HELLO\ttrue\t\tDaily%s\r\n' "$(printf '\t%.0s' $(seq 4 50))" > "$work/check.sch"
  (cd "$work" && timeout 60 "$tree/bin/qlr" run check.ini --dummy --until-complete >run.out 2>&1) ||
    fail "the dummy run failed: $(tail -n 5 "$work/run.out")"
  grep -q "^JN=HELLO" "$work/output/HELLO.out" 2>/dev/null ||
    fail "QLRDummy did not run: $(tail -n 5 "$work/run.out")"
  rm -rf "$work"
}

need_tools
check_files
check_versions
check_man_pages
check_desktop_files
check_dummy_run
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed in $tree"
  exit 1
fi
echo "installed tree complete: $tree"
