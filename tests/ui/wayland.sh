#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program as a client of a weston compositor of its own, started here and ended
# when the test ends. "headless" draws into memory; "nested" runs weston in a window of an Xvfb
# server, which gives it a keyboard and a pointer (a seat), as the clipboard needs.
#   wayland.sh headless|nested <test program> [arguments...]
set -euo pipefail
art=$1
shift
case $art in
  headless) noetig=(weston) ;;
  nested) noetig=(weston Xvfb) ;;
  *) echo "Aufruf: $0 headless|nested <Testprogramm> [Argumente...]" >&2; exit 2 ;;
esac
for programm in "${noetig[@]}"; do
  command -v "$programm" >/dev/null || { echo "wayland.sh: $programm is not installed" >&2; exit 1; }
done

laufzeit=$(mktemp -d)
chmod 700 "$laufzeit"
pids=()
aufraeumen() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$laufzeit"
}
trap aufraeumen EXIT

backend=headless
if [ "$art" = nested ]; then
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$laufzeit/anzeige" 2>"$laufzeit/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$laufzeit/anzeige" ] && break; sleep 0.1; done
  [ -s "$laufzeit/anzeige" ] || { cat "$laufzeit/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$laufzeit/anzeige")"
  backend=x11
fi

# weston 10 (Debian 12) names its backends by file and has --use-pixman; weston 14 (Debian 13)
# takes the short names and --renderer. Pixman draws in memory; without a renderer of its own
# the headless output does not repaint, and Qt then waits for frames that never come.
version=$(weston --version 2>&1 | grep -oE '[0-9]+' | head -n1)
if [ "${version:-0}" -ge 12 ]; then
  optionen=(--backend="$backend" --renderer=pixman)
else
  optionen=(--backend="$backend-backend.so" --use-pixman)
fi
XDG_RUNTIME_DIR=$laufzeit weston "${optionen[@]}" --no-config --socket=zw --width=1024 \
  --height=768 >"$laufzeit/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$laufzeit/zw" ] && break; sleep 0.1; done
[ -S "$laufzeit/zw" ] || { echo "weston did not start:" >&2; cat "$laufzeit/weston.log" >&2; exit 1; }

# Without a seat Qt's Wayland text input reads a keyboard that is not there when a test sends
# keys; the compose input method needs none.
eingabe=()
[ "$art" = headless ] && eingabe=(QT_IM_MODULE=compose)
status=0
env XDG_RUNTIME_DIR="$laufzeit" WAYLAND_DISPLAY=zw QT_QPA_PLATFORM=wayland "${eingabe[@]}" "$@" ||
  status=$?
if [ "$status" -ne 0 ]; then
  echo "--- weston's log" >&2
  tail -n 20 "$laufzeit/weston.log" >&2
fi
exit "$status"
