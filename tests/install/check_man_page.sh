#!/bin/sh
# The manual page renders without a single warning from groff or man, and has
# every section a reader of a command's page looks for. A warning check whose
# tool this system lacks (macOS has no groff, `man --warnings` is man-db's) is
# left out, and the test then ends with 77, which CTest reports as skipped.
# Usage: check_man_page.sh PAGE
set -u
page=$1
failed=0
skipped=0

if command -v groff >/dev/null 2>&1; then
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    printf 'groff -man -ww warns:\n%s\n' "$warnings"
    failed=1
  fi
else
  echo "no groff: its warnings are not checked"
  skipped=1
fi
if man --help 2>&1 | grep -q -- --warnings; then
  warnings=$(MANPAGER=cat MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    printf 'man --warnings warns:\n%s\n' "$warnings"
    failed=1
  fi
else
  echo "this man has no --warnings (man-db's): its warnings are not checked"
  skipped=1
fi

for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS '"EXIT STATUS"' ENVIRONMENT EXAMPLES \
  '"SEE ALSO"'; do
  if ! grep -qx ".SH $section" "$page"; then
    echo "no section $section"
    failed=1
  fi
done
[ $failed -eq 0 ] && [ $skipped -eq 1 ] && exit 77
exit $failed
