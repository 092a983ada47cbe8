#!/usr/bin/env bash
# Installs whatever of scripts/pakete.txt is missing. Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
mapfile -t pakete < <(grep -v '^\s*#' pakete.txt | sed '/^\s*$/d')
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installing: ${fehlend[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
