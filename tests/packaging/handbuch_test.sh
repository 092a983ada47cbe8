#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The built manual pages render without a warning from man and groff, and name the program in
# a way apropos and whatis understand (lexgrog reads the NAME section in either language).
#   handbuch_test.sh <page.1...>
set -uo pipefail
fehler=0
for seite in "$@"; do
  if [ ! -s "$seite" ]; then
    echo "FEHLER: $seite fehlt oder ist leer" >&2
    fehler=1
    continue
  fi
  # man reports groff's warnings (unknown requests, broken fonts, lines it cannot break) on
  # standard error.
  warnungen=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$seite" 2>&1 >/dev/null)
  if [ -n "$warnungen" ]; then
    printf 'FEHLER: %s: %s\n' "$seite" "$warnungen" >&2
    fehler=1
  fi
  eintrag=$(lexgrog "$seite" 2>&1)
  if ! grep -q ': "zechwaage - [^"]\{10,\}"$' <<<"$eintrag"; then
    echo "FEHLER: whatis-Eintrag von $seite: $eintrag" >&2
    fehler=1
  fi
  echo "$eintrag"
done
exit $fehler
