#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The program itself holds no picture decoder: the reader, the checks and the drawing of
# untrusted pictures are linked into the preview helper only.
# Usage: kein_dekoder_test.sh <program> <helper>
set -euo pipefail
programm=$1 helfer=$2
muster='zw::(TMetafileBild|TVorschauBild|VorschauAntwort|BmpGroesse|PngOhneTexte|leser::)'

programm_symbole=$(nm -C "$programm")
helfer_symbole=$(nm -C "$helfer")
# The symbols were read: the program's dialog is in the one, the decoders are in the other.
grep -q 'zw::TSavePictureDialog::' <<<"$programm_symbole"
grep -Eq "$muster" <<<"$helfer_symbole"
if grep -E "$muster" <<<"$programm_symbole"; then
    echo "FEHLER: $programm enthält Dekoder" >&2
    exit 1
fi
