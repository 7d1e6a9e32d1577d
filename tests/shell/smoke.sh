#!/usr/bin/env bash
# The real program on a virtual screen: it starts, shows its main window with something
# drawn in it, and ends when Escape is pressed there.
# usage: smoke.sh CARNELIS XPROBE OUTPUT_FOLDER
set -u
carnelis=$1 xprobe=$2 out=$3
# The program must draw on the virtual screen, whatever the tests around it use.
unset QT_QPA_PLATFORM
mkdir -p "$out"
rm -f "$out/smoke.ppm" "$out/smoke.png"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  carnelis=$1 xprobe=$2 out=$3
  cd "$out"
  # A sanitizer build reports allocations the toolkit keeps until exit; only a crash counts here.
  ASAN_OPTIONS=detect_leaks=0 "$carnelis" >"$out/smoke.log" 2>&1 &
  pid=$!
  fail() { echo "FAIL: $*"; cat "$out/smoke.log"; kill $pid 2>/dev/null; wait $pid 2>/dev/null; exit 1; }

  window=$("$xprobe" wait "CARNELIS  -  " 30) || fail "the main window did not appear"
  sleep 1
  "$xprobe" shot "$window" "$out/smoke.ppm" || fail "the main window is empty"

  "$xprobe" escape "$window"
  for _ in $(seq 50); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 $pid 2>/dev/null; then fail "Escape did not end the program"; fi
  wait $pid
  rc=$?
  [ $rc -eq 0 ] || fail "the program ended with status $rc"
  echo "OK: started, drew its main window, ended on Escape"
' _ "$carnelis" "$xprobe" "$out"
rc=$?
if [ -f "$out/smoke.ppm" ] && command -v convert >/dev/null 2>&1; then
  convert "$out/smoke.ppm" "$out/smoke.png" 2>/dev/null && rm -f "$out/smoke.ppm"
fi
exit $rc
