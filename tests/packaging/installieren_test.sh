#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# A direct installation lists every file it installs beside them, and its removal script takes
# away exactly those: nothing is left behind, and a path outside the installation's prefix is
# never touched even when the list names it. A staged installation (DESTDIR, as package builds
# do) leaves neither list nor script.
#   installieren_test.sh <cmake> <build dir>
set -uo pipefail
cmake=$1 bau=$2
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }

praefix="$arbeit/praefix"
env -u DESTDIR "$cmake" --install "$bau" --prefix "$praefix" >"$arbeit/install.log" 2>&1 ||
  { cat "$arbeit/install.log" >&2; echo "FEHLER: cmake --install" >&2; exit 1; }
liste="$praefix/share/zechwaage/installiert.txt"
[ -f "$liste" ] || { echo "FEHLER: $liste fehlt" >&2; exit 1; }
diff <(sort "$liste") <(find "$praefix" -type f | sort) >&2 ||
  falsch "die Liste nennt nicht genau die installierten Dateien"
grep -qx "$praefix/bin/zechwaage" "$liste" || falsch "die Liste nennt das Programm nicht"

# A list that names a file elsewhere, as a damaged or hand-edited one might.
fremd="$arbeit/fremd/bin/zechwaage"
mkdir -p "$(dirname "$fremd")"
echo fremd >"$fremd"
echo "$fremd" >>"$liste"
"$praefix/share/zechwaage/entfernen.sh" >"$arbeit/entfernen.log" 2>&1
status=$?
[ "$status" -eq 1 ] || falsch "entfernen.sh endet mit $status, obwohl es eine Datei gelassen hat"
grep -q "left alone (outside $praefix): $fremd" "$arbeit/entfernen.log" ||
  falsch "entfernen.sh meldet die fremde Datei nicht"
[ -f "$fremd" ] || falsch "entfernen.sh hat eine Datei außerhalb des Präfixes gelöscht"
uebrig=$(find "$praefix" -type f)
[ -z "$uebrig" ] || falsch "übrig geblieben: $uebrig"
[ ! -d "$praefix/share/zechwaage" ] || falsch "share/zechwaage ist geblieben"

stufe="$arbeit/stufe"
DESTDIR="$stufe" "$cmake" --install "$bau" --prefix /usr >"$arbeit/stufe.log" 2>&1 ||
  { cat "$arbeit/stufe.log" >&2; falsch "cmake --install mit DESTDIR"; }
[ -f "$stufe/usr/bin/zechwaage" ] || falsch "mit DESTDIR fehlt das Programm"
[ ! -e "$stufe/usr/share/zechwaage" ] || falsch "mit DESTDIR: Liste und Skript im Paketinhalt"
exit $fehler
