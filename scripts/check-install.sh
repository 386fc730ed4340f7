#!/usr/bin/env bash
# Installs the build into a temporary root (as `make install DESTDIR=...` does, under /usr)
# and starts the installed program there once, offscreen, with a fresh home and none of the
# build's environment: it must find its library and tables by itself and keep running.
#   scripts/check-install.sh [build folder]
set -euo pipefail
build=${1:-build}
root=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$root"' EXIT
pid=""

DESTDIR="$root/dest" cmake --install "$build" --prefix /usr >/dev/null
program="$root/dest/usr/bin/tezdesk"
for f in "$program" "$root/dest/usr/lib/tezdesk/libTezC.so" "$root/dest/usr/share/tezdesk/big5-gb.cct" \
         "$root/dest/usr/share/tezdesk/tezhelp.html" "$root/dest/usr/share/applications/tezdesk.desktop" \
         "$root/dest/usr/share/icons/hicolor/48x48/apps/tezdesk.png"; do
  [ -e "$f" ] || { echo "check-install: not installed: ${f#"$root/dest"}" >&2; exit 1; }
done

mkdir "$root/home"
env -i PATH="$PATH" HOME="$root/home" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
  "$program" >"$root/out.log" 2>&1 &
pid=$!
# Started means: the program folder holds the tables it found and the program still runs.
for _ in $(seq 1 60); do
  [ -e "$root/home/.local/share/tezdesk/PCTS.LST" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" && rc=0 || rc=$?
  echo "check-install: the installed program ended at start (exit code $rc):" >&2
  cat "$root/out.log" >&2
  exit 1
fi
for t in big5-gb.cct gb-big5.cct SU-SD.CCT PCTS.LST tezhelp.html; do
  [ -e "$root/home/.local/share/tezdesk/$t" ] || { echo "check-install: program folder lacks $t" >&2; cat "$root/out.log" >&2; exit 1; }
done
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "check-install: the installed program started and found its tables"
