#!/usr/bin/env bash
# Checks demo/site against real nginx, curl, rtmpdump and ffprobe: start, the pages in
# the layout brivo's parser reads, the version file, streaming, a second site beside
# the first, restart, forced ports, extra pages and stop.
# Prints "N passed, N failed" last; exits non-zero when a check failed.
set -uo pipefail

SITE="$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")" && pwd)/site"
WORK=$(mktemp -d)
export BRIVO_DEMO_ANY_PORT=1 # never collide with a demo someone is running
export BRIVO_DEMO_MEDIA_CACHE="$WORK/cache"
unset BRIVO_DEMO_STATE BRIVO_DEMO_HTTP_PORT BRIVO_DEMO_RTMP_PORT
passed=0 failed=0
declare -a started_dirs=() helper_pids=()

cleanup() {
  local d p
  for d in "${started_dirs[@]}"; do "$SITE" stop "$d" >/dev/null 2>&1; done
  for p in "${helper_pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT

ok() { passed=$((passed + 1)); printf 'ok   %s\n' "$1"; }
fail() { failed=$((failed + 1)); printf 'FAIL %s\n' "$1"; }
check() { # description, command...
  local what=$1
  shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}

start_site() { # dir; keeps the output in $WORK/start.out
  started_dirs+=("$1")
  "$SITE" start "$1" >"$WORK/start.out" 2>"$WORK/start.err"
}

env_value() { # dir, name
  sed -n "s/^export $2='\(.*\)'\$/\1/p" "$1/env"
}

accepts() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# A port that nothing listens on, below the kernel's ephemeral range (32768 and
# up), where the parallel tests' own connections could take it meanwhile.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 12000))
    accepts "$port" || { echo "$port"; return; }
  done
}

master_pid() { cat "$1/run/site.pid" 2>/dev/null; }

# Running and not a zombie (nobody may reap the reparented nginx here).
alive() {
  local s
  s=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  s=${s##*) }
  [[ ${s%% *} != Z ]]
}

gone() { ! alive "$1"; }

# Any process (master or not) started with this folder's config.
nginx_runs_for() {
  local f
  for f in /proc/[0-9]*/cmdline; do
    [[ " $(tr '\0' ' ' 2>/dev/null <"$f") " == *" -c $1/nginx.conf "* ]] && alive "$(basename "$(dirname "$f")")" && return 0
  done
  return 1
}

no_nginx_for() { ! nginx_runs_for "$1"; }

fetch_utf8() { curl -sf "$1" | iconv -f GBK -t UTF-8; }

# --- one site ---------------------------------------------------------------------

A="$WORK/site a" # a blank in the path must not matter
cd / || exit 1
check "start exits 0" start_site "$A"
check "start prints one line" test "$(wc -l <"$WORK/start.out")" -eq 1

env_form_ok() {
  local names=(BRIVO_SITE_MOBILE_HOST BRIVO_SITE_WEB_HOST BRIVO_SITE_RTMP_HOST
    BRIVO_UPDATE_VERSION_URL BRIVO_UPDATE_PAGE_URL BRIVO_FEEDBACK_MAIL_HOST
    BRIVO_FEEDBACK_ADDRESS_PARAM BRIVO_DEMO_HTTP_PORT BRIVO_DEMO_RTMP_PORT
    BRIVO_DEMO_PAGE_URL BRIVO_DEMO_PAGES BRIVO_DEMO_ROOT BRIVO_DEMO_LOG) n
  grep -qvE "^export [A-Z_]+='[^']*'\$" "$A/env" && return 1
  for n in "${names[@]}"; do grep -q "^export $n='" "$A/env" || return 1; done
}
check "env file: only export NAME='value' lines, every name present" env_form_ok

HTTP=$(env_value "$A" BRIVO_DEMO_HTTP_PORT)
RTMP=$(env_value "$A" BRIVO_DEMO_RTMP_PORT)
WEB=$(env_value "$A" BRIVO_SITE_WEB_HOST)
MOBILE=$(env_value "$A" BRIVO_SITE_MOBILE_HOST)
check "BRIVO_DEMO_ANY_PORT avoids the preferred ports" test "$HTTP" != 18080 -a "$RTMP" != 11935
check "hosts name the chosen ports" test "$WEB" = "127.0.0.1:$HTTP" -a "$MOBILE" = "$WEB" \
  -a "$(env_value "$A" BRIVO_SITE_RTMP_HOST)" = "127.0.0.1:$RTMP"
check "both ports accept" accepts "$HTTP"
accepts "$RTMP" || fail "rtmp port accepts"

version_file_exact() {
  [[ $(curl -sf "$(env_value "$A" BRIVO_UPDATE_VERSION_URL)" | od -An -c | tr -s ' ') == ' [ 2 0 1 5 . 1 1 . 0 2 ]' ]]
}
check "brivo.txt is exactly [2015.11.02] without a line break" version_file_exact
check "update page is served" curl -sf -o /dev/null "$(env_value "$A" BRIVO_UPDATE_PAGE_URL)"
check "feedback stand-in page is served" curl -sf -o /dev/null \
  "http://$(env_value "$A" BRIVO_FEEDBACK_MAIL_HOST)/cgi-bin/qm_share?t=qm_mailme&email=demo&subject=brivo_report"

index_links_pages() {
  local index url
  index=$(fetch_utf8 "http://$WEB/") || return 1
  for url in $(env_value "$A" BRIVO_DEMO_PAGES); do
    [[ $index == *"href=\"/${url#http://"$WEB"/}\""* ]] || return 1
  done
}
check "index page links every play page" index_links_pages

# The page layout, read the way brivo's parser reads it: the section after the last
# "<mobile host>');}" up to the last "}</script>", its first two assignments, the
# track name, the path variable and its expression.
page_layout_ok() { # url, track name, play file
  local page section name var expr
  page=$(fetch_utf8 "$1") || return 1
  section=${page##*"$MOBILE');}"}
  [[ $section != "$page" ]] || return 1
  section=${section%'}</script>'*}
  [[ $section == "ab='music/2015/';cd='$3';var n ="* ]] || return 1
  [[ ${section#"ab='music/2015/';cd='$3';"} != *"='"* ]] || return 1 # no further assignment
  name=${section##*';var n ="'} name=${name%'";var'*}
  var=${section##*'fwqhp, '} var=${var%');'*}
  expr=${section##*"$var="} expr=${expr%';fmpObj = '*}
  [[ $name == "$2" && $var == pv && $expr == 'x4+k1v+ab+cd' ]]
}
charset_is_gbk() {
  curl -sfI "$1" | tr -d '\r' | grep -qix 'Content-Type: text/html; charset=gbk'
}
mapfile -t PAGES < <(env_value "$A" BRIVO_DEMO_PAGES | tr ' ' '\n')
check "first page is BRIVO_DEMO_PAGE_URL" test "${PAGES[0]}" = "$(env_value "$A" BRIVO_DEMO_PAGE_URL)"
i=0
while IFS=$'\t' read -r id _ _ _ name; do
  [[ -z $id || $id == \#* ]] && continue
  url=${PAGES[i]:-}
  i=$((i + 1))
  check "$id: page address" test "$url" = "http://$WEB/play/$id.html"
  check "$id: served as GBK" charset_is_gbk "$url"
  check "$id: script section in the parser's layout" page_layout_ok "$url" "$name" "$id"
done <"$(dirname "$SITE")/tracks.tsv"
check "one page per track" test "$i" -eq "${#PAGES[@]}" -a "$i" -ge 3

# rtmpdump exits 2 for tracks this short; what counts is a complete stream of the codec.
dump_is() { # codec play-file
  local codec=$1 out="$WORK/$2.flv"
  rtmpdump -q -r "rtmp://127.0.0.1:$RTMP/rozezeri/" -p "${PAGES[0]}" -y "mp4:music/2015/$2.mp4" \
    -s "http://$WEB/js/mp.swf/" -o "$out" >/dev/null 2>&1
  [[ $? == [02] && -s $out ]] && ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$out" | grep -qx "$codec"
}
for id in demo01 demo02 demo03; do check "$id: rtmpdump saves an AAC stream" dump_is aac "$id"; done
check "demo05: rtmpdump saves an MP3 stream" dump_is mp3 demo05
log_records_play() {
  local log
  log=$(env_value "$A" BRIVO_DEMO_LOG)
  grep -q "page_url='${PAGES[0]}'" "$log" && grep -q "play: name='mp4:music/2015/demo01.mp4'" "$log"
}
check "error log records the play path and the page address" log_records_play
# nginx and its RTMP module log to /var/log unless told otherwise
check "RTMP access log stays in the state folder" grep -q 'PLAY "rozezeri" "mp4:music/2015/demo01.mp4"' "$A/logs/rtmp-access.log"
check "missing stream is refused" bash -c \
  "rtmpdump -q -r rtmp://127.0.0.1:$RTMP/rozezeri/ -y mp4:music/2015/none.mp4 -o '$WORK/none.aac' >/dev/null 2>&1; test \$? -eq 1"

# --- extra pages --------------------------------------------------------------------

EXTRA=$(BRIVO_DEMO_STATE="$A" "$SITE" page extra '晨岚 & <特别>' 'music/2016/' 'x07' 2>/dev/null)
check "page prints the new page's address" test "$EXTRA" = "http://$WEB/play/extra.html"
extra_layout_ok() {
  local page section
  page=$(fetch_utf8 "$EXTRA") || return 1
  section=${page##*"$MOBILE');}"}
  [[ $section == "ab='music/2016/';cd='x07';var n =\"晨岚 & <特别>\";var"* && $page == *'<h1 class="song">晨岚 &amp; &lt;特别&gt;</h1>'* ]]
}
check "page writes a GBK page in the layout, name escaped only in the markup" extra_layout_ok
check "page refuses a name with a slash" bash -c "! BRIVO_DEMO_STATE='$A' '$SITE' page a/b n d f 2>/dev/null"
check "page refuses a play path with a quote" bash -c "! BRIVO_DEMO_STATE='$A' '$SITE' page q n \"d'\" f 2>/dev/null"
check "page refuses text outside GBK" bash -c "! BRIVO_DEMO_STATE='$A' '$SITE' page e '🎵' d f 2>/dev/null"
check "page without a site fails" bash -c "! BRIVO_DEMO_STATE= '$SITE' page p n d f 2>/dev/null"

# --- a second site, restart, forced ports -------------------------------------------

B="$WORK/b"
check "second site starts beside the first" start_site "$B"
check "second site has other ports" test "$(env_value "$B" BRIVO_DEMO_HTTP_PORT)" != "$HTTP" \
  -a "$(env_value "$B" BRIVO_DEMO_RTMP_PORT)" != "$RTMP"
check "both sites serve" bash -c "curl -sf -o /dev/null http://$WEB/brivo.txt && curl -sf -o /dev/null http://$(env_value "$B" BRIVO_SITE_WEB_HOST)/brivo.txt"

OLD=$(master_pid "$B")
check "start on a running folder replaces its site" start_site "$B"
NEW=$(master_pid "$B")
check "the old nginx is gone" gone "$OLD"
check "a new one runs" test -n "$NEW" -a "$NEW" != "$OLD"
check "the replaced site serves" curl -sf -o /dev/null "http://$(env_value "$B" BRIVO_SITE_WEB_HOST)/brivo.txt"

C="$WORK/c"
BRIVO_DEMO_HTTP_PORT=$HTTP "$SITE" start "$C" >/dev/null 2>"$WORK/c.err"
check "a forced port that is taken fails the start" test $? -ne 0
check "... with a message naming the port" grep -q "$HTTP" "$WORK/c.err"
check "... and leaves no nginx behind" no_nginx_for "$C"
check "the first site still serves" curl -sf -o /dev/null "http://$WEB/brivo.txt"

D="$WORK/d"
FREE_HTTP=$(free_port)
FREE_RTMP=$(free_port)
while [ "$FREE_RTMP" = "$FREE_HTTP" ]; do FREE_RTMP=$(free_port); done
started_dirs+=("$D")
BRIVO_DEMO_HTTP_PORT=$FREE_HTTP BRIVO_DEMO_RTMP_PORT=$FREE_RTMP "$SITE" start "$D" >/dev/null 2>&1
check "forced free ports are used" test "$(env_value "$D" BRIVO_DEMO_HTTP_PORT):$(env_value "$D" BRIVO_DEMO_RTMP_PORT)" = "$FREE_HTTP:$FREE_RTMP"
# a shell that sourced one site's env file starts the next site on other ports
# shellcheck source=/dev/null
sourced_start() { (source "$A/env" && "$SITE" start "$WORK/e" >/dev/null 2>&1); }
started_dirs+=("$WORK/e")
check "ports from a sourced env file are only preferences" sourced_start
check "... the new site got free ports" test "$(env_value "$WORK/e" BRIVO_DEMO_HTTP_PORT)" != "$HTTP"
"$SITE" stop "$D"
"$SITE" stop "$WORK/e"

# --- stop ---------------------------------------------------------------------------

PID_A=$(master_pid "$A")
check "stop exits 0" "$SITE" stop "$A"
stopped_a() { ! accepts "$HTTP" && ! accepts "$RTMP" && gone "$PID_A" && ! nginx_runs_for "$A"; }
check "stop ends nginx and closes its ports" stopped_a
check "stop again exits 0" "$SITE" stop "$A"
check "stop of a folder that never ran exits 0" "$SITE" stop "$WORK/never"

# A stale pid file may name an unrelated process: stop must leave it alone.
sleep 30 &
helper_pids+=($!)
echo $! >"$A/run/site.pid"
echo $! >"$A/run/nginx.pid"
"$SITE" stop "$A"
check "stop leaves a process that is not its nginx alone" alive "${helper_pids[0]}"

check "stop second site" "$SITE" stop "$B"
check "start from another folder with a relative path" bash -c \
  "cd '$(dirname "$SITE")' && ./site start '$WORK/f' >/dev/null && ./site stop '$WORK/f'"

echo "$passed passed, $failed failed"
((failed == 0))
