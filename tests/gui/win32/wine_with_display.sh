#!/usr/bin/env bash
# Runs a Windows program under Wine with a display of its own: a private Xvfb
# server and a Wine prefix kept for display runs (made on first use), whose
# wineserver and desktop start and end with that server. The other Windows
# tests run without a display in a prefix of their own: a desktop started
# there has no X11 driver.
#   wine_with_display.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
prefix=$1
shift
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all
unset WAYLAND_DISPLAY

# One run at a time in the prefix: its wineserver holds one display.
exec {lock}>"$prefix.lock"
flock "$lock"

# Xvfb picks a free display number and writes it once it accepts connections.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
stop() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -f "$number_file"
}
trap stop EXIT
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  sleep 0.1
done
[ -s "$number_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$number_file")

if [ ! -f "$prefix/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  "$wineserver" -w
fi
"$wine" "$@"
