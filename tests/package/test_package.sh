#!/usr/bin/env bash
# Installs brivo's Debian package as a user does (apt-get), then tries it as an
# ordinary user made for the test: brivo-cli saves a demo track into that user's
# ~/Music/brivo/, and brivo shows its window on a private X server. Then it
# purges the package and checks that nothing of it, nor of the user's runs, is
# left outside the user's home.
#   test_package.sh DEB    (as root: it installs and purges a package, adds and removes a user)
# BRIVO_DEMO_MEDIA_CACHE, when set, keeps the demo site's encoded tracks.
# Prints "N passed, N failed" last; exits non-zero when a check failed.
set -uo pipefail
deb=$(readlink -f "${1:?usage: test_package.sh DEB}")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
site=$root/demo/site
((EUID == 0)) || { echo "test_package.sh: run it as root: it installs a package and adds a user" >&2; exit 2; }
if dpkg-query -W -f='${Status}' brivo 2>/dev/null | grep -q ' installed$'; then
  echo "test_package.sh: brivo is installed already, and the test would purge it" >&2
  exit 2
fi

export DEBIAN_FRONTEND=noninteractive
apt_options=(-y -qq -o DPkg::Lock::Timeout=300) # another apt run may hold the lock a while
work=$(mktemp -d)
chmod 755 "$work" # the user's home is inside
user=brivo-test-$$
home=$work/home
pids=()
passed=0 failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); printf 'ok   %s\n' "$what"; else failed=$((failed + 1)); printf 'FAIL %s\n' "$what"; fi
}

cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  "$site" stop "$work/site" >/dev/null 2>&1
  id "$user" >/dev/null 2>&1 && userdel --remove "$user" 2>/dev/null
  dpkg-query -W brivo >/dev/null 2>&1 && apt-get purge "${apt_options[@]}" brivo >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

site_value() { sed -n "s/^export $1='\(.*\)'\$/\1/p" "$work/site/env"; }

# --- install ------------------------------------------------------------------------

# Without recommends: the test changes the machine by brivo alone.
installed() { apt-get install "${apt_options[@]}" --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; return 1; }; }
check "apt-get installs the package" installed
dpkg-query -L brivo >"$work/files" 2>/dev/null
check "the programs are on the PATH" test "$(command -v brivo)" = /usr/bin/brivo -a "$(command -v brivo-cli)" = /usr/bin/brivo-cli
check "man finds brivo(1) and brivo-cli(1)" sh -c 'man -w brivo >/dev/null && man -w brivo-cli >/dev/null'

site_started() { "$site" start "$work/site" >/dev/null 2>"$work/site.err" || { cat "$work/site.err"; return 1; }; }
check "the demo site starts" site_started
mapfile -t site_env < <(grep -v "^export BRIVO_DEMO_" "$work/site/env" | sed -n "s/^export \([A-Z_]*\)='\(.*\)'\$/\1=\2/p")
check "useradd makes an ordinary user" useradd --create-home --home-dir "$home" --shell /bin/bash "$user"
# A command as the user, who sees only a login's variables and the demo site's
# addresses; a command, not a function, so that a program started with & is $!.
as_user=(setpriv --reuid "$user" --regid "$user" --init-groups
  env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
  NO_AT_BRIDGE=1 "no_proxy=127.0.0.1,localhost" "NO_PROXY=127.0.0.1,localhost" "${site_env[@]}")

# --- brivo-cli ----------------------------------------------------------------------

track="$home/Music/brivo/晨岚测试曲一.aac"
downloads() { "${as_user[@]}" brivo-cli "$(site_value BRIVO_DEMO_PAGE_URL)" >"$work/cli.out" 2>&1 || { cat "$work/cli.out"; return 1; }; }
check "brivo-cli downloads a demo track as the user" downloads
check "it says it saved the track into ~/Music/brivo/" grep -qxF "saved: $track" "$work/cli.out"
check "the track is there, the user's own" test -s "$track" -a "$(stat -c %U "$track")" = "$user"

# --- brivo, the window --------------------------------------------------------------

# The X servers' socket folder is the system's; a user's X server that made it would own it.
[[ -d /tmp/.X11-unix ]] || install -d -m 1777 /tmp/.X11-unix
"${as_user[@]}" Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
display=:$(<"$work/display")
"${as_user[@]}" DISPLAY="$display" brivo >"$work/gui.out" 2>&1 &
gui=$!
pids+=("$gui")
window=$("${as_user[@]}" DISPLAY="$display" timeout 20 xdotool search --sync --onlyvisible --class '^brivo$' 2>/dev/null | head -n 1)
check "brivo shows its window" test -n "$window"
named() {
  local title class
  title=$("${as_user[@]}" DISPLAY="$display" xdotool getwindowname "$window" 2>/dev/null)
  class=$("${as_user[@]}" DISPLAY="$display" xprop -id "$window" WM_CLASS 2>/dev/null)
  [[ $title == "晨岚DJ音乐网(brivo)"* && $class == 'WM_CLASS(STRING) = "brivo", "brivo"' ]] ||
    { printf 'title %s, %s\n' "$title" "$class"; return 1; }
}
check "its title and X class" named
kill -TERM "$gui"
ended() { for _ in $(seq 100); do kill -0 "$gui" 2>/dev/null || return 0; sleep 0.1; done; cat "$work/gui.out"; return 1; }
check "brivo ends on SIGTERM" ended
kill "${pids[0]}" 2>/dev/null
wait "${pids[0]}" 2>/dev/null
pids=()

# --- purge --------------------------------------------------------------------------

no_process() { ! pgrep -u "$user" >/dev/null || { pgrep -u "$user" -a; return 1; }; }
check "no process of the user is left" no_process
# The demo site's files under $work belong to root; only the user's home is theirs.
# The source tree (with its build folders) is left out for speed.
outside_home() {
  local found
  found=$(find / -xdev \( -path /proc -o -path "$home" -o -path "$root" \) -prune -o -user "$user" -print 2>/dev/null)
  [[ -z $found ]] || { printf '%s\n' "$found"; return 1; }
}
check "the user's runs wrote nothing outside their home" outside_home

purged() { apt-get purge "${apt_options[@]}" brivo >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; return 1; }; }
check "apt-get purges the package" purged
# A listed path may stay only as a folder that another package owns too.
leftovers() {
  local path
  while IFS= read -r path; do
    [[ $path != /. ]] || continue
    [[ -e $path || -L $path ]] || continue
    [[ -d $path ]] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
    echo "$path"
  done <"$work/files"
  # /usr/local is no package's: a brivo there came with cmake --install; nor
  # are apt's sources: scripts/setup adds one for the Windows build's sources.
  find /usr /etc /var/lib/dpkg/info /var/cache \( -path /usr/local -o -path /etc/apt/sources.list.d \) -prune -o \
    -name '*brivo*' -print 2>/dev/null
  local cache=/usr/share/icons/hicolor/icon-theme.cache
  [[ ! -f $cache ]] || ! grep -q brivo "$cache" || echo "$cache names brivo"
}
nothing_left() {
  local left
  left=$(leftovers)
  [[ -z $left ]] || { printf '%s\n' "$left"; return 1; }
}
check "nothing of the package is left" nothing_left

printf '%d passed, %d failed\n' "$passed" "$failed"
((failed == 0))
