#!/bin/sh
# `cmake --install` puts exactly the program and its manual page under the
# prefix, and the installed program runs from there.
# Usage: check_install_tree.sh BUILD_DIRECTORY PROGRAM_FILE_NAME [EMULATOR...]
# (orvane, or orvane.exe run through Wine for the Windows build).
set -eu
build=$1
program=$2
shift 2
prefix=$(mktemp -d /tmp/orvane-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

files=$(cd "$prefix" && find . -type f | sort)
expected="./bin/$program
./share/man/man1/orvane.1"
if [ "$files" != "$expected" ]; then
  printf 'installed files:\n%s\nexpected:\n%s\n' "$files" "$expected"
  exit 1
fi
[ -x "$prefix/bin/$program" ] || { echo "bin/$program is not executable"; exit 1; }

version=$("$@" "$prefix/bin/$program" --version </dev/null)
case $version in
  "orvane 6.0, build "*) ;;
  *) echo "installed orvane --version printed: $version"; exit 1 ;;
esac
MANPAGER=cat MANWIDTH=80 man -l "$prefix/share/man/man1/orvane.1" | grep -q "EXIT STATUS" ||
  { echo "installed manual page does not render"; exit 1; }
