#!/usr/bin/env bash
# The real program on a virtual screen: it starts, shows its main window with something
# drawn in it, and ends when Escape is pressed there.
# usage: smoke.sh CARNELIS OUTPUT_FOLDER
set -u
carnelis=$1 out=$2
# The program must draw on the virtual screen, whatever the tests around it use.
unset QT_QPA_PLATFORM
mkdir -p "$out"
rm -f "$out/smoke.png"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  carnelis=$1 out=$2
  cd "$out"
  # A sanitizer build reports allocations the toolkit keeps until exit; only a crash counts here.
  ASAN_OPTIONS=detect_leaks=0 "$carnelis" >"$out/smoke.log" 2>&1 &
  pid=$!
  fail() { echo "FAIL: $*"; cat "$out/smoke.log"; kill $pid 2>/dev/null; wait $pid 2>/dev/null; exit 1; }

  window=$(timeout 30 xdotool search --sync --name "^CARNELIS  -  " | head -n 1)
  [ -n "$window" ] || fail "the main window did not appear"
  sleep 1
  import -window "$window" "$out/smoke.png" || fail "no picture of the main window"
  colours=$(convert "$out/smoke.png" -format "%k" info:)
  [ "${colours:-0}" -gt 1 ] || fail "the main window is empty"

  xdotool windowfocus --sync "$window" key Escape
  for _ in $(seq 50); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 $pid 2>/dev/null; then fail "Escape did not end the program"; fi
  wait $pid
  rc=$?
  [ $rc -eq 0 ] || fail "the program ended with status $rc"
  echo "OK: started, drew its main window, ended on Escape"
' _ "$carnelis" "$out"
