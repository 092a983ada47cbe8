#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the sample pictures of other programs that the metafile tests read, from the drawing
# in tests/metafile/daten/zeichnung.svg: EMF and WMF as Inkscape and LibreOffice Draw write
# them. Needs the Debian packages inkscape and libreoffice-draw; the results are committed, so
# the tests themselves need neither.
set -eu
daten="$(cd "$(dirname "$0")/../tests/metafile/daten" && pwd)"
arbeit="$(mktemp -d)"
trap 'rm -rf "$arbeit"' EXIT

for art in emf wmf; do
    inkscape --export-type="$art" --export-filename="$daten/inkscape.$art" "$daten/zeichnung.svg"
done

# LibreOffice names its output after the input; a profile of its own keeps the user's alone.
cp "$daten/zeichnung.svg" "$arbeit/libreoffice.svg"
for art in emf wmf; do
    soffice -env:UserInstallation="file://$arbeit/profil" --headless --convert-to "$art" \
        --outdir "$arbeit" "$arbeit/libreoffice.svg" >/dev/null
    cp "$arbeit/libreoffice.$art" "$daten/libreoffice.$art"
done
ls -l "$daten"
