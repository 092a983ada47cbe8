#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time (from starting the process until its window is on screen) and resident memory
# once shown, of the main window against one empty QWidget of the same size,
# both on the same X server (Xvfb) in the same run. Prints medians and the two ratios.
#   bench/start/messen.sh [build dir] [runs]
set -euo pipefail
bau=$(realpath "${1:-build}")
laeufe=${2:-30}
if [ "${ZW_IN_XVFB:-}" != 1 ]; then
  exec env ZW_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$bau" "$laeufe"
fi
# The measured programs start with German settings, as their users' do.
unset LC_ALL
export QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8
# This script's own arithmetic reads and prints numbers the C way: bash's printf follows
# LC_NUMERIC and would take bc's "92.14" for a malformed number where the German locale is
# installed, and awk would print a median of "3,5" that bc cannot read. Not exported, so the
# measured programs do not see it; the helpers get it on their command line.
export -n LC_NUMERIC
LC_NUMERIC=C

median() { LC_ALL=C sort -n | LC_ALL=C awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

declare -A zeiten rss
for art in minimal text zechwaage; do zeiten[$art]=""; rss[$art]=""; done
# Warm the file cache first, then alternate so that both see the same machine.
for art in minimal text zechwaage; do "$bau/bench/start/start_$art" >/dev/null; done
for _ in $(seq "$laeufe"); do
  for art in minimal text zechwaage; do
    t0=$(date +%s%N)
    ausgabe=$("$bau/bench/start/start_$art")
    t1=$(awk '/gezeigt_ns/ {print $2}' <<<"$ausgabe")
    zeiten[$art]+="$(( (t1 - t0) / 1000 ))"$'\n'
    rss[$art]+="$(awk '/rss_kib/ {print $2}' <<<"$ausgabe")"$'\n'
  done
done
for art in minimal text zechwaage; do
  z=$(printf '%s' "${zeiten[$art]}" | median)
  m=$(printf '%s' "${rss[$art]}" | median)
  printf '%-10s start %8.1f ms   rss %8.1f MiB\n' "$art" "$(echo "$z / 1000" | bc -l)" "$(echo "$m / 1024" | bc -l)"
  eval "z_$art=$z m_$art=$m"
done
for grund in minimal text; do
  eval "zg=\$z_$grund mg=\$m_$grund"
  printf 'ratio to %-7s start %.2f   rss %.2f\n' "$grund" "$(echo "$z_zechwaage / $zg" | bc -l)" \
    "$(echo "$m_zechwaage / $mg" | bc -l)"
done
echo "($laeufe runs each, $(nproc) cores)"
