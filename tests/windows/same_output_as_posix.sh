#!/bin/sh
# orvane.exe under Wine against the POSIX build, run for run: the same bytes on
# standard output (LF), the same refusal on standard error (Windows' CR LF
# aside) and the same status for each answer set in each view, and for
# arguments outside ASCII, which both must take as typed: a full-width
# "－－plan" is no option, "１２０" no number. /? prints the help. With "names",
# a plan goes to a file named outside the ANSI code page.
# same_output_as_posix.sh WINE64 PREFIX ORVANE_EXE POSIX_ORVANE [names]
wine64=$1 prefix=$2 exe=$3 posix=$4
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
failures=0

windows() {
  LC_ALL=C.UTF-8 WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
    "$wine64" "$exe" "$@"
}
fail() { echo "FAILED: $*" && failures=$((failures + 1)); }
# The two builds may name different commits ("orvane 6.0, build 1.0.0 (abc1234)").
unversioned() { sed 's/orvane 6\.0, build [^"<]*/orvane 6.0, build/' "$@"; }

same() {
  "$posix" "$@" >posix.raw 2>posix.err
  posixStatus=$?
  windows "$@" >windows.raw 2>windows.crlf
  windowsStatus=$?
  unversioned posix.raw >posix.out
  unversioned windows.raw >windows.out
  tr -d '\r' <windows.crlf >windows.err
  cmp -s posix.out windows.out && cmp -s posix.err windows.err &&
    [ $posixStatus -eq $windowsStatus ] || fail "$* (status $posixStatus, $windowsStatus)"
}

if [ "${5:-}" = names ]; then
  "$posix" --plan - 5 4 n 4 0.5 120 | unversioned >posix.svg
  windows --plan 東京.svg 5 4 n 4 0.5 120 || fail "--plan 東京.svg"
  unversioned 東京.svg | cmp -s posix.svg - || fail "東京.svg not written as named: $(ls)"
  exit $((failures > 0))
fi

for answers in "5 4 n 4 0.5 120" "4 3 Y 3 1 110" "20 20 N 20 1 110" "1e3 2,5 y 0 .5 145" \
  "-- -3 4 n 4 0.5 120" "abc 4 n 4 0.5 120abc" "5 4 yes 4 0.5 120" "5 4 n 4 0.5 109.99"; do
  for view in "" --json "--plan -"; do
    # shellcheck disable=SC2086 # the words of both lists are the arguments
    same $view $answers
  done
done
same 5 4 n 4 0.5 120 '－－plan' evil.svg
same 5 4 n 4 0.5 １２０
same --json 5 4 n 4 0.5 120Ω
same --json ５ 4 n 4 0.5 120
same 5 4 n 4 0.5 120 —json
same -- '/?' 4 n 4 0.5 120
[ -e evil.svg ] && fail "a full-width --plan wrote evil.svg"
windows --help >help.out
windows '/?' >slash.out || fail "/? status $?"
cmp -s help.out slash.out || fail "/? is not the help"
tail -n 1 slash.out | grep -q 'man orvane' && fail "the help points to man on Windows"
exit $((failures > 0))
