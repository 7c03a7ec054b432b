#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, as a packager or a user with
# `cmake --install` does, and checks what a desktop needs: the programs in bin/,
# a valid desktop entry that names them, and the icon in the hicolor theme.
#   test_install.sh BUILD_DIR
# Prints "N passed, N failed" last; exits non-zero when a check failed.
set -uo pipefail
build=${1:?usage: test_install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
passed=0 failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); printf 'ok   %s\n' "$what"; else failed=$((failed + 1)); printf 'FAIL %s\n' "$what"; fi
}

check "cmake --install succeeds" cmake --install "$build" --prefix "$prefix"
entry="$prefix/share/applications/brivo.desktop"

check "brivo-cli is installed and runs" sh -c "'$prefix/bin/brivo-cli' --help | grep -q '^usage: brivo-cli'"
# The window program comes with the build that has it.
check "brivo is installed" test -x "$prefix/bin/brivo"

validated() { # errors and warnings fail; hints (several main categories) do not
  local report
  report=$(desktop-file-validate "$entry" 2>&1) || { printf '%s\n' "$report"; return 1; }
  ! grep -qE 'error:|warning:' <<<"$report" || { printf '%s\n' "$report"; return 1; }
}
check "the desktop entry is valid" validated
key() { sed -n "s/^$1=//p" "$entry"; }
check "its name and a Latin generic name" test "$(key Name)" = "晨岚DJ音乐网" -a -n "$(key GenericName | grep -E '^[ -~]+$')"
check "it starts brivo with an address" test "$(key Exec)" = "brivo %u"
check "its categories" test "$(key Categories)" = "AudioVideo;Audio;Network;"
check "docks match the window's class and find the icon" test "$(key StartupWMClass)" = brivo -a "$(key Icon)" = brivo

for size in 16 32 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/brivo.png"
  check "the ${size} px icon is a ${size}x${size} PNG with alpha" \
    test "$(identify -format '%m %wx%h %A' "$icon" 2>/dev/null)" = "PNG ${size}x${size} True"
done

printf '%d passed, %d failed\n' "$passed" "$failed"
((failed == 0))
