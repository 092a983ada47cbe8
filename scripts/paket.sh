#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as Debian builds one: an upstream tarball of the files git knows, as
# they are in the working tree (debian/ left out), unpacked in an empty folder with debian/
# beside it, then dpkg-buildpackage. The folder then holds the .deb, the source package (.dsc
# and its two tarballs) and the .changes.
#
#   scripts/paket.sh [folder]          (default: build/paket; emptied first)
#
# Installs the build dependencies of debian/control that are missing (as root or through
# sudo). DEB_BUILD_OPTIONS=nocheck leaves out the tests run during the build. ZW_EMAIL,
# ZW_HOMEPAGE, ZW_BUGTRACKER and ZW_SCREENSHOTS in the environment are written into the source
# package (debian/adressen), so that a rebuild from the .dsc carries the same addresses.
set -euo pipefail
quelle=$(cd "$(dirname "$0")/.." && pwd)
ziel=$(realpath -m "${1:-$quelle/build/paket}")
cd "$quelle"

if ! command -v dpkg-buildpackage >/dev/null; then
  echo "dpkg-buildpackage fehlt: erst scripts/abhaengigkeiten.sh bau (dpkg-dev)" >&2
  exit 1
fi
name=$(dpkg-parsechangelog -S Source)
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
# Every date in the tarballs is the newest changelog entry's, as it is in the package.
epoche=$(dpkg-parsechangelog -S Timestamp)

if ! fehlend=$(dpkg-checkbuilddeps 2>&1); then
  echo "$fehlend"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get build-dep -y -qq --no-install-recommends "$quelle"
fi

# The files git tracks or would track (new ones not yet added, but nothing .gitignore names),
# as far as they are there; without git every file outside the build folders.
dateien() { # <folder> [exclude]
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard -- "$1" ${2:+":!$2"} | while IFS= read -r -d '' f; do
      [ -e "$f" ] && printf '%s\0' "$f"
    done
  else
    find "$1" \( -path './build*' -o -path ./.git ${2:+-o -path "./$2"} \) -prune -o \
      \( -type f -o -type l \) -print0 | sed -z 's|^\./||'
  fi
}
# Owner, modes and dates from the files' content alone, not from the checkout's umask or time.
packe() { # <prefix>: the file list on stdin
  tar --create --null --files-from=- --sort=name --format=gnu --mtime="@$epoche" \
    --owner=0 --group=0 --numeric-owner --mode='u+rwX,go+rX,go-w' \
    --transform="s|^|$1|"
}

rm -rf "$ziel"
mkdir -p "$ziel"
baum="$ziel/$name-$upstream"
orig="$ziel/${name}_$upstream.orig.tar.xz"
dateien . debian | packe "$name-$upstream/" | xz -T1 -6 >"$orig"
tar -xf "$orig" -C "$ziel"
dateien debian | packe "" | tar -x -C "$baum"
for variable in ZW_EMAIL ZW_HOMEPAGE ZW_BUGTRACKER ZW_SCREENSHOTS; do
  wert=${!variable:-}
  [ -n "$wert" ] || continue
  # One line each; CMake checks the rest when the package is configured.
  if [[ $wert == *[$'\n'\'\"]* ]]; then
    echo "FEHLER: $variable enthält einen Zeilenumbruch oder ein Anführungszeichen" >&2
    exit 1
  fi
  touch "$baum/debian/adressen"
  sed -i "/^$variable=/d" "$baum/debian/adressen"
  echo "$variable=$wert" >>"$baum/debian/adressen"
done

cd "$baum"
optionen=${DEB_BUILD_OPTIONS:-}
[[ " $optionen " == *" parallel="* ]] || optionen="$optionen parallel=$(nproc)"
DEB_BUILD_OPTIONS=${optionen# } dpkg-buildpackage --no-sign

cd "$ziel"
echo
echo "Gebaut in $ziel:"
ls -1 -- *.deb *.dsc *.changes
echo "Installieren: sudo apt-get install $ziel/${name}_${version}_$(dpkg --print-architecture).deb"
