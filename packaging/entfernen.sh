#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what a direct installation of Zechwaage (cmake --install) put on this machine: the
# files named in installiert.txt beside this script, and nothing else. A path outside that
# installation's prefix, or one a Debian package owns, is left alone and reported, so that the
# zechwaage package, if it is installed too, stays whole.
#   sudo <prefix>/share/zechwaage/entfernen.sh
set -euo pipefail
ordner=$(cd "$(dirname "$0")" && pwd -P)
praefix=$(dirname "$(dirname "$ordner")")
liste="$ordner/installiert.txt"
[ -r "$liste" ] || { echo "$liste fehlt: nichts zu entfernen" >&2; exit 1; }

gelassen=0
lasse() { echo "left alone ($1): $2" >&2; gelassen=1; }
while IFS= read -r pfad; do
  [ -n "$pfad" ] || continue
  case $pfad in
    */../* | */./*) lasse "not a plain path" "$pfad"; continue ;;
    "$praefix"/*) ;;
    *) lasse "outside $praefix" "$pfad"; continue ;;
  esac
  if command -v dpkg-query >/dev/null && dpkg-query -S "$pfad" >/dev/null 2>&1; then
    lasse "a Debian package's" "$pfad"
    continue
  fi
  if [ -e "$pfad" ] || [ -L "$pfad" ]; then
    rm -f -- "$pfad"
    echo "removed $pfad"
  fi
done <"$liste"
# The program's own folders, once empty; shared ones such as share/applications stay.
for leer in "$ordner" "$praefix/share/doc/zechwaage"; do
  rmdir -- "$leer" 2>/dev/null || true
done
exit $gelassen
