#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, as a packager or a user with
# `cmake --install` does, and checks what a desktop needs: the programs in bin/,
# a valid desktop entry that names them and its AppStream metadata under one id,
# the icon in the hicolor theme, the manual pages and brivo-cli's completion.
#   test_install.sh BUILD_DIR
# Prints "N passed, N failed" last; exits non-zero when a check failed.
set -uo pipefail
build=${1:?usage: test_install.sh BUILD_DIR}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
passed=0 failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); printf 'ok   %s\n' "$what"; else failed=$((failed + 1)); printf 'FAIL %s\n' "$what"; fi
}

check "cmake --install succeeds" cmake --install "$build" --prefix "$prefix"
id=io.github.brivo.Brivo
entry="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
release=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)

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

# Pedantic notes (the id's capital letter, which the reverse-DNS name wants) do not fail.
metainfo_valid() { appstreamcli validate --no-net "$metainfo" || { cat "$metainfo"; return 1; }; }
check "the AppStream metadata is valid" metainfo_valid
check "it names the desktop entry and both programs" sh -c \
  "grep -q '<launchable type=\"desktop-id\">$id.desktop<' '$metainfo' &&
   grep -q '<binary>brivo</binary>' '$metainfo' && grep -q '<binary>brivo-cli</binary>' '$metainfo'"
check "its release is the changelog's" grep -q "<release version=\"$release\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$metainfo"

man_page_reads() { # page; groff's warnings (bad requests, lines it cannot fit) fail
  local page="$prefix/share/man/man1/$1.1" text warnings
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$prefix/man.err") || return 1
  warnings=$(<"$prefix/man.err")
  [[ -z $warnings ]] || { printf '%s\n' "$warnings"; return 1; }
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
    grep -qx "$section" <<<"$text" || { printf 'no %s section\n' "$section"; return 1; }
  done
  [[ $(tail -n 1 <<<"$text") == "brivo $release "* ]] || { printf 'footer: %s\n' "$(tail -n 1 <<<"$text")"; return 1; }
}
check "the manual page brivo(1) reads without warnings" man_page_reads brivo
check "the manual page brivo-cli(1) reads without warnings" man_page_reads brivo-cli

completes() { # expected, words... ; the last word is the one being completed
  local expected=$1
  shift
  local got
  got=$(bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _brivo_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$prefix/share/bash-completion/completions/brivo-cli" "$@")
  [[ $got == "$expected" ]] || { printf 'completed %s as [%s]\n' "$*" "$got"; return 1; }
}
mkdir -p "$prefix/songs/dj" "$prefix/songs/mixes" && touch "$prefix/songs/dance.aac"
check "bash completes brivo-cli's options" completes $'--parse-only\n--keep-flv\n--output-dir\n--help' brivo-cli --
check "bash completes only folders after -o" completes "$prefix/songs/dj" brivo-cli -o "$prefix/songs/d"
check "bash offers nothing for an address" completes "" brivo-cli http://exa

printf '%d passed, %d failed\n' "$passed" "$failed"
((failed == 0))
