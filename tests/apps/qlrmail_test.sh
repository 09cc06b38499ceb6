#!/usr/bin/env bash
# Runs the QLRMail end-to-end test with a Python that has aiosmtpd (Debian's
# python3-aiosmtpd lives in the system Python, which may not be first on PATH).
#
# usage: qlrmail_test.sh QLRMAIL
here=$(cd "$(dirname "$0")" && pwd)
for py in /usr/bin/python3 python3; do
  if "$py" -c 'import aiosmtpd' 2>/dev/null; then
    exec timeout 180 "$py" "$here/qlrmail_test.py" "$@"
  fi
done
echo "no Python with aiosmtpd found (install python3-aiosmtpd)" >&2
exit 1
