#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the icon files of the menu entry from the program's own drawing of its icon: the
# scalable picture packaging/<application id>.svg and packaging/symbole/<size>.png for each
# size of the icon theme. Run it after a change to the drawing and commit what it writes; it
# writes the same bytes every time.
#   scripts/symbole.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
bau=${1:-build}
cmake --build "$bau" --target zw_symbole
# The one scalable icon there is carries the application id as its name.
mapfile -t svg < <(ls packaging/*.svg)
[ ${#svg[@]} -eq 1 ] || { echo "packaging/ should hold exactly one .svg" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bau/app/zw_symbole" "${svg[0]}" packaging/symbole
git status --short -- packaging/
