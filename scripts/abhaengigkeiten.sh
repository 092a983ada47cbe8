#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs whatever of the named package lists is missing. Runs as root or through sudo.
#   scripts/abhaengigkeiten.sh bau|test|frisch ...
# "test" includes "bau". A failed download is tried once more.
set -euo pipefail
cd "$(dirname "$0")"
listen=()
for name in "$@"; do
  case $name in
    bau) listen+=(pakete-bau.txt) ;;
    test) listen+=(pakete-bau.txt pakete-test.txt) ;;
    frisch) listen+=(pakete-frisch.txt) ;;
    *) echo "unbekannte Paketliste: $name (bau, test oder frisch)" >&2; exit 2 ;;
  esac
done
[ ${#listen[@]} -gt 0 ] || { echo "Aufruf: $0 bau|test|frisch ..." >&2; exit 2; }

for liste in "${listen[@]}"; do
  [ -r "$liste" ] || { echo "$liste fehlt" >&2; exit 1; }
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
mapfile -t pakete < <(cat "${listen[@]}" | sed 's/#.*//; s/[[:space:]]//g; /^$/d' | sort -u)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

installiere() {
  "${sudo_cmd[@]}" apt-get update -qq &&
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
}
echo "Installing ${#fehlend[@]} packages: ${fehlend[*]}"
installiere || { echo "Installing failed; trying once more" >&2; sleep 10; installiere; }
