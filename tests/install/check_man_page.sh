#!/bin/sh
# The manual page renders without a single warning from groff or man, and has
# every section a reader of a command's page looks for.
# Usage: check_man_page.sh PAGE
set -u
page=$1
failed=0

warnings=$(groff -man -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  printf 'groff -man -ww warns:\n%s\n' "$warnings"
  failed=1
fi
warnings=$(MANPAGER=cat MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
  printf 'man --warnings warns:\n%s\n' "$warnings"
  failed=1
fi

for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS '"EXIT STATUS"' ENVIRONMENT EXAMPLES \
  '"SEE ALSO"'; do
  if ! grep -qx ".SH $section" "$page"; then
    echo "no section $section"
    failed=1
  fi
done
exit $failed
