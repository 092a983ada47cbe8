#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the configured AppStream file strictly, pedantic hints included: any error,
# warning, info or pedantic hint fails. The file names its developer in the tag of the
# installed AppStream's generation, so no hint is expected from either.
#   metainfo_test.sh <appstreamcli> <metainfo.xml>
set -uo pipefail
appstreamcli=$1 datei=$2

ausgabe=$("$appstreamcli" validate --no-net --strict --pedantic "$datei" 2>&1)
status=$?
echo "$ausgabe"
[ $status -eq 0 ] || exit 1
# --strict fails on warnings only; a hint of any kind fails here.
if grep -Eq '^[EWIP]: ' <<<"$ausgabe"; then
  echo "FEHLER: appstreamcli $("$appstreamcli" --version | grep -o '[0-9][0-9.]*' | head -n1) has hints"
  exit 1
fi
