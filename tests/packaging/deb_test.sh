#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with the README's line (scripts/paket.sh, without the tests run
# inside the package build) into a scratch folder, with a distributor's addresses, and checks what apt and Debian's review would see: control fields, dependencies, the
# files it installs, and lintian's verdict on the binary and the source package.
#   deb_test.sh <source dir> <app id>
set -euo pipefail

quelle=$1 app_id=$2
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }

for programm in lintian dpkg-buildpackage dh; do
  command -v "$programm" >/dev/null || { echo "FEHLER: $programm fehlt" >&2; exit 1; }
done
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT

# A distributor's own addresses, given as the README says: they must reach the package, and the
# source package must carry them, so that a rebuild from the .dsc names them too.
export ZW_EMAIL=team@zechwaage.example.net
export ZW_HOMEPAGE=https://zechwaage.example.net/_programm_
export ZW_BUGTRACKER=https://git.example.net/zechwaage/issues

if ! DEB_BUILD_OPTIONS=nocheck "$quelle/scripts/paket.sh" "$arbeit/paket" >"$arbeit/paket.log" 2>&1; then
  tail -n 60 "$arbeit/paket.log" >&2
  echo "FEHLER: scripts/paket.sh ist gescheitert" >&2
  exit 1
fi
version=$(dpkg-parsechangelog -l "$quelle/debian/changelog" -S Version)
architektur=$(dpkg --print-architecture)
deb="$arbeit/paket/zechwaage_${version}_$architektur.deb"
[ -f "$deb" ] || { ls "$arbeit/paket" >&2; echo "FEHLER: $deb fehlt" >&2; exit 1; }
feld() { dpkg-deb -f "$deb" "$1"; }

# Control fields that come from elsewhere than debian/control.
while IFS='|' read -r name soll; do
  ist=$(feld "$name")
  [ "$ist" = "$soll" ] || falsch "$name ist '$ist', erwartet '$soll'"
done <<EOF_FELDER
Version|$version
Architecture|$architektur
Homepage|$ZW_HOMEPAGE
EOF_FELDER

# Relations: each package named as a whole entry, once. Qt loads its window-system plugins at
# run time, and the layout is measured in Liberation Sans: dpkg-shlibdeps sees neither. Qt's
# German texts, the Wayland plugin and the icon theme are wanted, but the program runs
# without them. Debian 13 renamed some libraries for 64-bit time (libqt6core6t64).
eintraege() { feld "$1" | tr ',' '\n' | sed 's/^ *//; s/ .*//; /^$/d'; }
while IFS='|' read -r beziehung paket; do
  anzahl=$(eintraege "$beziehung" | grep -Ecx "$paket" || true)
  [ "$anzahl" = 1 ] || falsch "$beziehung nennt $paket ${anzahl}-mal: $(feld "$beziehung")"
done <<'EOF_BEZIEHUNGEN'
Depends|libqt6widgets6(t64)?
Depends|libqt6core6(t64)?
Depends|libqt6svg6
Depends|libc6
Depends|qt6-qpa-plugins
Depends|fonts-liberation
Recommends|qt6-translations-l10n
Recommends|qt6-wayland
Recommends|hicolor-icon-theme
EOF_BEZIEHUNGEN
doppelt=$(eintraege Depends | sort | uniq -d)
[ -z "$doppelt" ] || falsch "Depends nennt mehrfach: $doppelt"
eintraege Depends | grep -qx qt6-translations-l10n && falsch "qt6-translations-l10n ist Pflicht"

# Files: each one apt installs, with the mode it needs.
inhalt=$(dpkg-deb -c "$deb")
while read -r modus pfad; do
  zeile=$(awk -v p="./$pfad" '$6 == p' <<<"$inhalt")
  if [ -z "$zeile" ]; then
    falsch "$pfad fehlt im Paket"
  elif [ "${zeile%% *}" != "$modus" ]; then
    falsch "$pfad hat ${zeile%% *}, erwartet $modus"
  fi
done <<EOF_DATEIEN
-rwxr-xr-x usr/bin/zechwaage
-rwxr-xr-x usr/libexec/zechwaage/zechwaage-vorschau
-rw-r--r-- usr/share/applications/$app_id.desktop
-rw-r--r-- usr/share/icons/hicolor/scalable/apps/$app_id.svg
-rw-r--r-- usr/share/icons/hicolor/16x16/apps/$app_id.png
-rw-r--r-- usr/share/icons/hicolor/48x48/apps/$app_id.png
-rw-r--r-- usr/share/icons/hicolor/256x256/apps/$app_id.png
-rw-r--r-- usr/share/metainfo/$app_id.metainfo.xml
-rw-r--r-- usr/share/man/man1/zechwaage.1.gz
-rw-r--r-- usr/share/man/de/man1/zechwaage.1.gz
-rw-r--r-- usr/share/doc/zechwaage/copyright
-rw-r--r-- usr/share/doc/zechwaage/changelog.Debian.gz
EOF_DATEIEN

# Nothing else may leak in: build-time files such as static libraries or headers, or a
# /usr/local path that dpkg would put outside its own tree.
fremd=$(awk '$1 !~ /^d/ { print $6 }' <<<"$inhalt" | grep -Ev '^\./usr/(bin|share|libexec/zechwaage)/' || true)
[ -z "$fremd" ] || falsch "unerwartete Dateien im Paket: $fremd"
awk '{ print $2 }' <<<"$inhalt" | grep -qvx 'root/root' && falsch "Dateien gehören nicht root"
# The list and removal script of a direct installation: dpkg keeps its own list.
grep -q ' \./usr/share/zechwaage/' <<<"$inhalt" && falsch "Liste einer direkten Installation im Paket"
# Dates come from the changelog, not from the build: nothing is newer than its newest entry.
stempel=$(dpkg-parsechangelog -l "$quelle/debian/changelog" -S Timestamp)
grenze=$(date -u -d "@$stempel" '+%Y-%m-%d %H:%M')
neuer=$(TZ=UTC0 dpkg-deb -c "$deb" | awk -v g="$grenze" '$4 " " $5 > g { print $6 }')
[ -z "$neuer" ] || falsch "neuer als der Changelog ($grenze): $neuer"

# The addresses: in the program, the AppStream file and both manual pages, and in the source
# package, which is what a rebuild starts from.
mkdir "$arbeit/inhalt"
dpkg-deb -x "$deb" "$arbeit/inhalt"
# The manual pages as man shows them: roff breaks up addresses with escapes.
lesbar() { # <file>
  case $1 in
    *.1.gz) LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$1" 2>&1 ;;
    *) cat "$1" ;;
  esac
}
while IFS='|' read -r datei adresse; do
  if [ ! -f "$arbeit/inhalt/$datei" ]; then
    falsch "$datei fehlt"
  elif ! grep -aF -- "$adresse" <(lesbar "$arbeit/inhalt/$datei") >/dev/null; then
    falsch "$datei nennt nicht $adresse"
  fi
done <<EOF_ADRESSEN
usr/bin/zechwaage|$ZW_EMAIL
usr/bin/zechwaage|$ZW_HOMEPAGE
usr/share/metainfo/$app_id.metainfo.xml|<url type="homepage">$ZW_HOMEPAGE</url>
usr/share/metainfo/$app_id.metainfo.xml|<url type="bugtracker">$ZW_BUGTRACKER</url>
usr/share/man/man1/zechwaage.1.gz|$ZW_BUGTRACKER
usr/share/man/de/man1/zechwaage.1.gz|$ZW_EMAIL
EOF_ADRESSEN
if ! dpkg-source -x "$arbeit/paket/zechwaage_$version.dsc" "$arbeit/quelle" >"$arbeit/quelle.log" 2>&1; then
  cat "$arbeit/quelle.log" >&2
  falsch "das Quellpaket lässt sich nicht auspacken"
fi
for variable in ZW_EMAIL ZW_HOMEPAGE ZW_BUGTRACKER; do
  grep -qx "$variable=${!variable}" "$arbeit/quelle/debian/adressen" 2>/dev/null ||
    falsch "das Quellpaket trägt $variable nicht"
done

# The licence the software centre shows is the one the copyright file grants.
metainfo_lizenz=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' \
  "$arbeit/inhalt/usr/share/metainfo/$app_id.metainfo.xml")
awk '/^Files: \*$/ { f = 1 } f && /^License:/ { print $2; exit }' \
  "$arbeit/inhalt/usr/share/doc/zechwaage/copyright" | grep -qx "$metainfo_lizenz" ||
  falsch "copyright gewährt nicht $metainfo_lizenz wie die AppStream-Datei"

# lintian on the binary and the source package: every tag is either mended or overridden with
# its reason beside it, so any tag left fails, information and pedantic ones too.
# Its explanations (N:) and its remarks on standard error are printed, not judged.
lintian --info --pedantic "$arbeit/paket/zechwaage_${version}_$architektur.changes" \
  >"$arbeit/lintian.log" 2>&1 && status=0 || status=$?
cat "$arbeit/lintian.log"
if grep -Eq '^[EWIPXO]: ' "$arbeit/lintian.log"; then
  falsch "lintian hat Befunde"
elif [ $status -ne 0 ]; then
  falsch "lintian ist mit $status gescheitert"
fi
exit $fehler
