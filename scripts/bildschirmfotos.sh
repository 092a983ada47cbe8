#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots under docs/: starts the built program under Xvfb with German regional
# settings, drives it with mouse and keyboard as a user would (xdotool) and saves each view.
#   scripts/bildschirmfotos.sh [path/to/zechwaage]
set -euo pipefail
cd "$(dirname "$0")/.."
programm=$(realpath "${1:-build/app/zechwaage}")
skala=${ZW_SKALA:-1}

if [ "${ZW_IN_XVFB:-}" != 1 ]; then
  exec env ZW_IN_XVFB=1 xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" "$0" "$@"
fi

export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_SCALE_FACTOR="$skala"
suffix=""
[ "$skala" != 1 ] && suffix="-${skala}x"

# Started in an empty folder of its own: the save dialog opens there.
ordner=$(mktemp -d)
(cd "$ordner" && exec "$programm") >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$ordner"' EXIT
fenster=$(xdotool search --sync --onlyvisible --name '^Zechwaage 3.3a$' | head -n1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$fenster")" # X, Y of the client area

# Positions in the window's own (unscaled) pixels.
klicke() { xdotool mousemove $((X + $1 * skala)) $((Y + $2 * skala)) click 1; sleep 0.2; }
foto() { import -window "$1" "docs/$2$suffix.png"; echo "docs/$2$suffix.png"; }
reiter() { # tab n of the page control, tabs along its bottom edge
  local x=(150 265 358 440)
  klicke "${x[$1]}" 133
}

# The bottom axis reads 0, 1 and 2 hours at the start values.
foto "$fenster" hauptfenster-start
# Ten clicks on the up arrow beside "Bier": one litre.
for _ in $(seq 10); do klicke 220 61; done
foto "$fenster" hauptfenster-bier
reiter 1; foto "$fenster" seite-fein
reiter 2; foto "$fenster" seite-parameter
reiter 3; foto "$fenster" seite-physiognomie
reiter 0
# A high peak: a litre of whisky typed into its field.
klicke 510 66; xdotool key --clearmodifiers ctrl+a; xdotool type --delay 50 "1"; sleep 0.3
foto "$fenster" hauptfenster-whisky

klicke 428 382 # "Formeln"
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Berechnungsformeln$' | head -n1); sleep 0.5
foto "$dialog" formeln
xdotool key Escape; sleep 0.3
klicke 505 382 # "Info"
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Info$' | head -n1); sleep 0.5
foto "$dialog" info
xdotool key Escape; sleep 0.3
# The chart's menu, "Grafik speichern": the German save dialog. The chart is saved once as a
# bitmap, then the dialog is opened again and the file clicked, so that its preview shows.
speichern() {
  xdotool mousemove $((X + 400 * skala)) $((Y + 290 * skala)) click 3; sleep 0.5
  xdotool key Down Return
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Speichern unter$' | head -n1); sleep 1
}
speichern
xdotool type --delay 50 "promille.bmp"; xdotool key Return; sleep 0.5
speichern
eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/D/')" # DX, DY of the dialog
xdotool mousemove $((DX + 140 * skala)) $((DY + 71 * skala)) click 1; sleep 0.5
foto "$dialog" speichern
xdotool key Escape; sleep 0.3
