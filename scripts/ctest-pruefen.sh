#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the tests of one build the way CI judges them, failing closed. It fails when
#  - the build registers another set of tests than tests/erwartete-tests.txt names for it
#    (a test that silently stopped being built, or a new one nobody listed);
#  - ctest finds no tests, or runs fewer than the build registers;
#  - a test fails, or shows as skipped without being named in tests/erlaubte-auslassungen.txt.
# Its last line counts the tests: "ctest <preset>: P passed, F failed, S skipped, of R".
#
#   scripts/ctest-pruefen.sh <test preset> [further ctest arguments, e.g. -j2]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:?"Aufruf: $0 <test preset> [ctest arguments]"}
shift
erwartet_liste=tests/erwartete-tests.txt
auslassungen=tests/erlaubte-auslassungen.txt
fehler=0
melde() { echo "ctest-pruefen: $*" >&2; fehler=1; }
zeilen() { local z; for z in "$@"; do echo "$z"; done; } # nothing at all for no arguments

bau=$(ctest --preset "$preset" -N | sed -n 's/^Test project //p')
[[ -d $bau ]] || { echo "ctest-pruefen: no build folder for preset $preset" >&2; exit 2; }

mapfile -t registriert < <(ctest --test-dir "$bau" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sort)
mapfile -t erwartet < <(awk -v p="$preset" '!/^#/ && NF > 1 {
    for (i = 2; i <= NF; i++) if ($i == p) print $1 }' "$erwartet_liste" | sort)
((${#erwartet[@]} > 0)) || melde "$erwartet_liste names no test for $preset"
while read -r name; do
  melde "$name is expected in $preset ($erwartet_liste) but not registered"
done < <(comm -13 <(zeilen "${registriert[@]}") <(zeilen "${erwartet[@]}"))
while read -r name; do
  melde "$name is registered in $preset but not listed in $erwartet_liste"
done < <(comm -23 <(zeilen "${registriert[@]}") <(zeilen "${erwartet[@]}"))

junit=$bau/ctest-pruefen.xml
rm -f "$junit"
ctest --preset "$preset" --no-tests=error --output-junit "$junit" "$@" || melde "ctest failed"
[[ -s $junit ]] || { melde "ctest wrote no results"; exit 1; }

# One line per test: name and status (run, fail, notrun, disabled).
mapfile -t ergebnisse < <(sed -n 's/.*<testcase name="\([^"]*\)".* status="\([a-z]*\)".*/\1 \2/p' "$junit")
bestanden=0 durchgefallen=0 ausgelassen=0
for zeile in "${ergebnisse[@]}"; do
  name=${zeile% *}
  case ${zeile##* } in
    run) bestanden=$((bestanden + 1)) ;;
    fail) durchgefallen=$((durchgefallen + 1)) ;;
    *)
      ausgelassen=$((ausgelassen + 1))
      awk -v n="$name" '!/^#/ && $1 == n { f = 1 } END { exit !f }' "$auslassungen" ||
        melde "$name did not run (${zeile##* }) and $auslassungen does not allow it"
      ;;
  esac
done
((durchgefallen == 0)) || melde "$durchgefallen test(s) failed"
((${#ergebnisse[@]} == ${#registriert[@]})) ||
  melde "ran ${#ergebnisse[@]} of the ${#registriert[@]} tests the build registers"

echo "ctest $preset: $bestanden passed, $durchgefallen failed, $ausgelassen skipped, of ${#registriert[@]}"
exit $fehler
