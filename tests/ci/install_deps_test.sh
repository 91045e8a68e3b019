#!/usr/bin/env bash
# .ci/install-deps against a stand-in apt-get that fails the way a mirror mid-sync does, in a
# copy of the repository's scripts: it must go on while what it needs can be had, stop naming
# the package that cannot, and never touch dpkg's architectures.
#
# Usage: install_deps_test.sh SOURCE_DIRECTORY
set -uo pipefail
source_dir=$1
command -v dpkg-deb >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_LOG"
case " $* " in
  *" update "*)
    tries=$(grep -c ' update' "$FAKE_LOG")
    [ "$tries" -gt "$FAKE_UPDATE_FAILURES" ] && exit 0
    echo "E: Failed to fetch http://mirror.invalid/debian-security/dists/stable-security/main/binary-ppc64el/Packages.xz  File has unexpected size (370696 != 371404). Mirror sync in progress? [IP: 192.0.2.1 80]" >&2
    exit 100 ;;
esac
for word in "$@"; do
  for missing in $FAKE_MISSING; do
    if [ "$word" = "$missing" ]; then
      echo "E: Unable to locate package $word" >&2
      exit 100
    fi
  done
done
if [[ " $* " = *" download "* ]]; then
  package=${*: -1}
  mkdir -p deb/DEBIAN "deb/usr/lib/${package%%:*}"
  printf 'Package: %s\nVersion: 1\nArchitecture: %s\nMaintainer: none\nDescription: stand-in\n' \
    "${package%%:*}" "${package#*:}" >deb/DEBIAN/control
  dpkg-deb -b deb "${package%%:*}.deb" >/dev/null && rm -rf deb
fi
exit 0
STANDIN
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/bin/sh
exit 1
STANDIN
cat >"$work/bin/dpkg" <<'STANDIN'
#!/bin/sh
echo "dpkg $*" >>"$FAKE_LOG"
exit 1
STANDIN
cat >"$work/bin/sudo" <<'STANDIN'
#!/bin/sh
exec "$@"
STANDIN
chmod +x "$work/bin"/*

failures=0
# name | update failures | packages that cannot be had | status | what the output must hold
while IFS='|' read -r name update_failures missing status expected; do
  repo=$work/$name
  mkdir -p "$repo/.ci"
  cp "$source_dir/.ci/install-deps" "$repo/.ci/"
  output=$(cd "$repo" && PATH="$work/bin:$PATH" FAKE_LOG="$repo/apt.log" \
    FAKE_UPDATE_FAILURES=$update_failures FAKE_MISSING="$missing" ORVANE_APT_PAUSE=0 \
    .ci/install-deps s390x 2>&1)
  actual=$?
  problems=()
  [ "$actual" -eq "$status" ] || problems+=("exit status $actual, not $status")
  grep -qF -- "$expected" <<<"$output" || problems+=("no line holding '$expected'")
  for whose in "this machine" s390x; do
    notes=$(grep -c "update for $whose failed" <<<"$output")
    [ "$notes" -le 1 ] || problems+=("$notes lines saying it goes on without $whose's indexes")
  done
  grep -q '^dpkg ' "$repo/apt.log" 2>/dev/null && problems+=("dpkg was run: $(grep '^dpkg ' "$repo/apt.log")")
  if [ "$status" -eq 0 ] && [ ! -d "$repo/build/cross-root/s390x-linux-gnu/usr/lib/libtinfo6" ]; then
    problems+=("libtinfo6:s390x not unpacked under build/cross-root")
  fi
  if [ ${#problems[@]} -gt 0 ]; then
    failures=$((failures + 1))
    printf '%s:\n  %s\n--- output:\n%s\n' "$name" "$(printf '%s; ' "${problems[@]}")" "$output"
  fi
done <<'CASES'
mirror_mid_sync_everything_there|99||0|apt-get update for s390x failed 3 times, going on with the indexes apt has: E: Failed to fetch
index_good_on_the_second_try|1||0|unpacking libtinfo6:s390x into build/cross-root/s390x-linux-gnu
mirror_mid_sync_target_library_gone|99|libtinfo6:s390x|1|install-deps: cannot download libtinfo6:s390x
mirror_mid_sync_cross_compiler_gone|99|g++-s390x-linux-gnu|1|install-deps: cannot install g++-s390x-linux-gnu
CASES
exit $((failures > 0))
