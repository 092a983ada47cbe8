#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots under docs/: starts the built program under Xvfb with German regional
# settings, drives it with mouse and keyboard as a user would (xdotool) and saves each view.
# Then the main window three more times: with a dark colour scheme (GTK's Adwaita dark through
# Qt's GTK platform theme), at scale factor 1.5, and as a client of the Wayland compositor
# weston, running inside the same Xvfb.
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

# --- The main window in other surroundings, with one litre of beer ------------------------------
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
[ "$skala" = 1 ] || exit 0

# Starts the program with the given environment, clicks the beer arrow ten times and saves the
# window. Positions are the window's own pixels times the scale factor.
fenster_mit_bier() { # <file name> <scale factor> <environment...>
  local name=$1 faktor=$2 bx by
  shift 2
  (cd "$ordner" && exec env "$@" QT_SCALE_FACTOR="$faktor" "$programm") >/dev/null 2>&1 &
  pid=$!
  fenster=$(xdotool search --sync --onlyvisible --name '^Zechwaage 3.3a$' | head -n1)
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$fenster")"
  bx=$(awk -v x="$X" -v f="$faktor" 'BEGIN { printf "%d", x + 220 * f }')
  by=$(awk -v y="$Y" -v f="$faktor" 'BEGIN { printf "%d", y + 61 * f }')
  for _ in $(seq 10); do xdotool mousemove "$bx" "$by" click 1; sleep 0.2; done
  xdotool mousemove 0 0; sleep 0.3
  foto "$fenster" "$name"
  kill $pid; wait $pid 2>/dev/null || true
}
fenster_mit_bier hauptfenster-dunkel 1 QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
fenster_mit_bier hauptfenster-1.5x 1.5 QT_QPA_PLATFORMTHEME=

# Wayland: weston in a window of this X server, with a plain background so that the window can
# be cut out of weston's own screenshot, and --debug, which allows that screenshot.
laufzeit=$(mktemp -d)
chmod 700 "$laufzeit"
printf '[shell]\nbackground-color=0xff3a5f7f\npanel-position=none\nlocking=false\n' >"$laufzeit/weston.ini"
version=$(weston --version 2>&1 | grep -oE '[0-9]+' | head -n1)
if [ "${version:-0}" -ge 12 ]; then renderer=(--backend=x11 --renderer=pixman)
else renderer=(--backend=x11-backend.so --use-pixman); fi
xdotool mousemove 1500 1100 # outside weston's window: no pointer in its pictures
XDG_RUNTIME_DIR=$laufzeit weston "${renderer[@]}" --config="$laufzeit/weston.ini" --socket=zw \
  --width=800 --height=600 --debug >"$laufzeit/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $pid $weston_pid 2>/dev/null || true; rm -rf "$ordner" "$laufzeit"' EXIT
for _ in $(seq 100); do [ -S "$laufzeit/zw" ] && break; sleep 0.1; done
wl() { env XDG_RUNTIME_DIR="$laufzeit" WAYLAND_DISPLAY=zw "$@"; }
ausgabe=$(xdotool search --sync --class '^Weston Compositor$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$ausgabe" | sed 's/^/W/')" # WX, WY of weston's output
(cd "$ordner" && exec env XDG_RUNTIME_DIR="$laufzeit" WAYLAND_DISPLAY=zw QT_QPA_PLATFORM=wayland \
  "$programm") >/dev/null 2>&1 &
pid=$!
sleep 2
# Where weston put the window: the part of its screenshot that is not background.
schnappe() { (cd "$laufzeit" && rm -f wayland-screenshot-*.png && wl weston-screenshooter && ls wayland-screenshot-*.png); }
bild="$laufzeit/$(schnappe)"
read -r breite hoehe ox oy <<<"$(convert "$bild" -trim -format '%w %h %X %Y' info: | tr -d '+')"
for _ in $(seq 10); do
  xdotool mousemove $((WX + ox + 220)) $((WY + oy + 1 + 24 + 61)) click 1; sleep 0.2
done
# weston keeps drawing its pointer where it was last: in a corner of its output, off the window.
xdotool mousemove $((WX + 795)) $((WY + 595)); sleep 0.5
bild="$laufzeit/$(schnappe)"
convert "$bild" -crop "${breite}x${hoehe}+$ox+$oy" +repage docs/wayland.png
echo docs/wayland.png
