#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one QtTest executable for ctest, failing closed on skips. QtTest counts a skipped case as
# passed and exits 0, so a test whose preconditions quietly vanished would go on "passing".
# Here a skip fails the test unless tests/erlaubte-auslassungen.txt lists it with its reason; a
# test whose only skips are listed ends with 77, which ctest shows as skipped, not as passed.
#
#   tests/qtest-lauf.sh <ctest name> <test executable> [arguments...]
set -uo pipefail
name=$1
shift
liste=$(dirname "$0")/erlaubte-auslassungen.txt
ausgabe=$(mktemp)
trap 'rm -f "$ausgabe"' EXIT

"$@" 2>&1 | tee "$ausgabe"
status=${PIPESTATUS[0]}

# The list: the ctest name, a pattern of the skipped case as QtTest prints it
# (Class::function(row), * for any text), and the reason.
muster=()
while read -r test fall grund; do
  [[ -z $test || $test == \#* ]] && continue
  if [[ -z ${grund:-} ]]; then
    echo "qtest-lauf: $liste: '$test $fall' has no reason" >&2
    exit 1
  fi
  [[ $test == "$name" ]] && muster+=("$fall")
done <"$liste"

erlaubt=0 unerlaubt=0
while IFS= read -r zeile; do
  fall=${zeile#SKIP   : }
  for m in "${muster[@]}"; do
    # shellcheck disable=SC2053 # the pattern is a glob on purpose
    if [[ $fall == $m* ]]; then
      erlaubt=$((erlaubt + 1))
      continue 2
    fi
  done
  echo "qtest-lauf: skip not allowed: $fall" >&2
  unerlaubt=$((unerlaubt + 1))
done < <(grep -a '^SKIP   : ' "$ausgabe")

if ((unerlaubt > 0)); then
  echo "qtest-lauf: $name skipped $unerlaubt case(s) that $liste does not allow;" \
    "make them run, or list them there with the reason" >&2
  exit 1
fi
((status != 0)) && exit "$status"
((erlaubt > 0)) && exit 77
exit 0
