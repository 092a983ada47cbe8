#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from an already built tree into a scratch folder and checks
# what apt would see: control fields, dependencies and the files it would install.
# Usage: deb_test.sh <build dir> <cpack> <built program> <package version> <app id>
set -euo pipefail

build_dir=$1 cpack=$2 programm=$3 version=$4 app_id=$5
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }

if [ ! -x "$programm" ]; then
  echo "FEHLER: $programm fehlt; erst das Programm bauen (Ziel zechwaage)" >&2
  exit 1
fi

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT

if ! "$cpack" --config "$build_dir/CPackConfig.cmake" -G DEB -B "$arbeit" >"$arbeit/cpack.log" 2>&1; then
  cat "$arbeit/cpack.log" >&2
  echo "FEHLER: cpack ist gescheitert" >&2
  exit 1
fi
shopt -s nullglob
pakete=("$arbeit"/*.deb)
if [ ${#pakete[@]} -ne 1 ]; then
  echo "FEHLER: genau ein .deb erwartet, gefunden: ${#pakete[@]}" >&2
  exit 1
fi
deb=${pakete[0]}
feld() { dpkg-deb -f "$deb" "$1"; }

# Control fields: exact values.
while IFS='|' read -r name soll; do
  ist=$(feld "$name")
  [ "$ist" = "$soll" ] || falsch "$name ist '$ist', erwartet '$soll'"
done <<EOF
Package|zechwaage
Version|$version-1
Section|utils
Maintainer|Zechwaage-Team <zechwaage@example.org>
Architecture|$(dpkg --print-architecture)
EOF

dpkg --validate-version "$(feld Version)" || falsch "Version wird von dpkg nicht angenommen"
[ "$(basename "$deb")" = "zechwaage_$(feld Version)_$(feld Architecture).deb" ] \
  || falsch "Dateiname $(basename "$deb") folgt nicht dem Debian-Schema"

# Depends: each package must be named as a whole entry, not merely as part of another name.
depends=$(feld Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
# Debian 13 renamed some libraries for 64-bit time (libqt6core6t64): either name will do.
for paket in libqt6widgets6 'libqt6core6(t64)?' qt6-qpa-plugins libqt6svg6 libc6 \
             qt6-translations-l10n fonts-liberation; do
  grep -Eqx "$paket" <<<"$depends" || falsch "Depends nennt $paket nicht: $(feld Depends)"
done

# Files: each one apt installs, with the mode it needs.
inhalt=$(dpkg-deb -c "$deb")
while read -r modus pfad; do
  zeile=$(awk -v p="./$pfad" '$6 == p' <<<"$inhalt")
  if [ -z "$zeile" ]; then
    falsch "$pfad fehlt im Paket"
  elif [ "${zeile%% *}" != "$modus" ]; then
    falsch "$pfad hat ${zeile%% *}, erwartet $modus"
  fi
done <<EOF
-rwxr-xr-x usr/bin/zechwaage
-rwxr-xr-x usr/libexec/zechwaage/zechwaage-vorschau
-rw-r--r-- usr/share/applications/$app_id.desktop
-rw-r--r-- usr/share/icons/hicolor/scalable/apps/$app_id.svg
-rw-r--r-- usr/share/metainfo/$app_id.metainfo.xml
-rw-r--r-- usr/share/doc/zechwaage/copyright
EOF

# Nothing else may leak in: build-time files such as static libraries or headers, or a
# /usr/local path that dpkg would put outside its own tree.
fremd=$(awk '$1 !~ /^d/ { print $6 }' <<<"$inhalt" | grep -Ev '^\./usr/(bin|share|libexec/zechwaage)/' || true)
[ -z "$fremd" ] || falsch "unerwartete Dateien im Paket: $fremd"
awk '{ print $2 }' <<<"$inhalt" | grep -qvx 'root/root' && falsch "Dateien gehören nicht root"

# The licence the software centre shows is the one the copyright file grants.
mkdir "$arbeit/inhalt"
dpkg-deb -x "$deb" "$arbeit/inhalt"
metainfo_lizenz=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' \
  "$arbeit/inhalt/usr/share/metainfo/$app_id.metainfo.xml")
grep -qx "Files: \*" "$arbeit/inhalt/usr/share/doc/zechwaage/copyright" \
  && awk '/^Files: \*$/ { f = 1 } f && /^License:/ { print $2; exit }' \
       "$arbeit/inhalt/usr/share/doc/zechwaage/copyright" | grep -qx "$metainfo_lizenz" \
  || falsch "copyright gewährt nicht $metainfo_lizenz wie die AppStream-Datei"

exit $fehler
