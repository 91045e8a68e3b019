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
# man-db renders a file given by path with -l; elsewhere (macOS, the BSDs) mandoc renders
# the pages. With neither, everything but the rendering has been checked.
installed_page=$prefix/share/man/man1/orvane.1
if man --help 2>&1 | grep -q -- --local-file; then
  rendered=$(MANPAGER=cat MANWIDTH=80 man -l "$installed_page")
elif command -v mandoc >/dev/null 2>&1; then
  rendered=$(mandoc -T utf8 "$installed_page" | col -b) # bold drawn by overstriking
else
  echo "neither man-db nor mandoc: the installed manual page is not rendered"
  exit 77
fi
printf '%s\n' "$rendered" | grep -q "EXIT STATUS" ||
  { echo "installed manual page does not render"; exit 1; }
