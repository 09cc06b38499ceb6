#!/usr/bin/env bash
# Runs qlrmail_test.py with a Python that has aiosmtpd (Debian's python3-aiosmtpd
# lives in the system Python, which may not be first on PATH).  usage: qlrmail_test.sh QLRMAIL
for py in /usr/bin/python3 python3; do
  "$py" -c 'import aiosmtpd' 2>/dev/null && exec timeout 180 "$py" "$(dirname "$0")/qlrmail_test.py" "$@"
done
echo "no Python with aiosmtpd found (install python3-aiosmtpd)" >&2
exit 1
