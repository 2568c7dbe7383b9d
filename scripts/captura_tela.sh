#!/usr/bin/env bash
# The screenshot of the main window that the AppStream metadata shows
# (pacote/capturas/principal.png): the program built in build/ started on the
# sample catalogue under a virtual 800x600 display, the window (750x550,
# centred) cut out of it. Run it after changing the main window, and publish
# the picture at the address the metadata gives.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
saida="${1:-pacote/capturas/principal.png}"
mkdir -p "$(dirname "$saida")"
# A program folder of its own, so that nothing of the build's dados/ changes.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$BUILD_DIR/quellora" "$tmp/"
mkdir "$tmp/dados"
cp "$BUILD_DIR"/dados/*.dat "$BUILD_DIR"/dados/*.rtf "$tmp/dados/"
rm -f "$tmp"/dados/{clientes,orcnum,dadope,dadmai}.dat
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$1/quellora" & p=$!
  sleep 6
  import -window root -crop 750x550+25+25 +repage "$2"
  kill $p' _ "$tmp" "$(realpath "$saida")"
echo "$saida"
