#!/usr/bin/env bash
# The Debian package as a collector gets it: built by CPack, unpacked into a scratch root
# (nothing of the build tree may be needed), its programs run from there.
# usage: package_test.sh BUILD_FOLDER JET_SAMPLES
set -uo pipefail
build=$1 jet=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/carnelis_*.deb) || fail "no package"
depends=$(dpkg-deb -f "$deb" Depends)
for need in libmdb3 libqt6widgets6 libsqlite3-0 qt6-qpa-plugins fonts-liberation fonts-urw-base35; do
  [[ $depends == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
# The one warning left: the package closes no Debian bug, being made outside the archive.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" >"$work/lintian.log" 2>&1 \
  || { cat "$work/lintian.log"; fail "lintian"; }

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
desktop-file-validate "$usr"/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
for size in 16 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x$size/apps/carnelis.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
for page in carnelis carnelis-base; do
  [ -s "$usr/share/man/man1/$page.1.gz" ] || fail "no manual page for $page"
done

cd "$work"
"$usr/bin/carnelis-base" exemple COLLECTION.MDB || fail "carnelis-base exemple"
"$usr/bin/carnelis-base" rapport COLLECTION.MDB TIMBRES timbres.pdf || fail "carnelis-base rapport"
pdftotext -layout timbres.pdf - | grep -q TIMBRES || fail "the report does not name its table"
# A genuine Access file goes through the helper, which must come from the package.
if [ -f "$jet/testV1997.mdb" ]; then
  "$usr/bin/carnelis-base" tables "$jet/testV1997.mdb" >tables.txt || fail "the Access helper was not found"
  [ -s tables.txt ] || fail "no table read from the Access sample"
else
  echo "note: no Access sample in $jet, the packaged helper is not tried"
fi

# The program on a virtual screen, started on a catalogue as the file manager does: the
# main window, the chooser on that file, and the help entry reaching the installed page.
mkdir fakebin
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$work" >fakebin/xdg-open
chmod +x fakebin/xdg-open
unset QT_QPA_PLATFORM
PATH="$work/fakebin:$PATH" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  usr=$1 work=$2
  "$usr/bin/carnelis" "$work/COLLECTION.MDB" >"$work/carnelis.log" 2>&1 &
  pid=$!
  trap "kill $pid 2>/dev/null; wait $pid 2>/dev/null" EXIT
  fail() { echo "FAIL: $*"; cat "$work/carnelis.log"; exit 1; }
  main=$(timeout 30 xdotool search --sync --name "^CARNELIS  -  " | head -n 1)
  [ -n "$main" ] || fail "the main window did not appear"
  timeout 10 xdotool search --sync --name "^  Sélection d" >/dev/null || fail "the chooser did not open on the file"
  xdotool windowfocus --sync "$main" key alt+a
  for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
  [ "$(cat "$work/opened" 2>/dev/null)" = "file://$usr/share/carnelis/carnelis.htm" ] \
    || fail "the help entry opened \"$(cat "$work/opened" 2>/dev/null)\", not the installed page"
' _ "$usr" "$work" || exit 1
echo "OK: package built, lintian clean, unpacked programs run, help page found"
