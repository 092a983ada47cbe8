#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the AppStream file strictly: any error, warning or info fails.
# AppStream 1.0 (Debian 13) wants the developer as <developer> and calls <developer_name>
# deprecated; 0.16 (Debian 12) does not know <developer> yet. An older validator's report of
# that one unknown tag is the only thing let through.
#   metainfo_test.sh <appstreamcli> <metainfo.xml>
set -uo pipefail
appstreamcli=$1 datei=$2

ausgabe=$("$appstreamcli" validate --no-net --strict "$datei" 2>&1)
status=$?
echo "$ausgabe"
[ $status -eq 0 ] && exit 0

version=$("$appstreamcli" --version | grep -o '[0-9][0-9.]*' | head -n1)
if [ "${version%%.*}" -lt 1 ]; then
  uebrig=$(grep -E '^[EWI]: ' <<<"$ausgabe" | grep -Ev '^I: [^ ]+ unknown-tag developer$' || true)
  if [ -z "$uebrig" ] && grep -q '^I: [^ ]* unknown-tag developer$' <<<"$ausgabe"; then
    echo "AppStream $version does not know <developer> yet; nothing else to report"
    exit 0
  fi
fi
exit 1
