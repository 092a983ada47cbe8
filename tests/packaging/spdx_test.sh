#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, build and script file names its licence and copyright in an SPDX header near
# its top, so that a file copied out of the tree still says under what terms.
#   spdx_test.sh <source dir>
set -euo pipefail
cd "$1"
if [ -d .git ] || [ -f .git ]; then
  mapfile -t dateien < <(git ls-files)
else
  mapfile -t dateien < <(find . -path ./build\* -prune -o -type f -print | sed 's|^\./||')
fi
fehlt=()
geprueft=0
for f in "${dateien[@]}"; do
  case $f in
    *.cpp | *.h | *.h.in | *.sh | *.cmake | CMakeLists.txt | */CMakeLists.txt | .ci/run | debian/rules) ;;
    *) continue ;;
  esac
  geprueft=$((geprueft + 1))
  kopf=$(head -n 4 "$f")
  grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' <<<"$kopf" &&
    grep -q 'SPDX-FileCopyrightText: ' <<<"$kopf" || fehlt+=("$f")
done
if [ ${#fehlt[@]} -gt 0 ]; then
  printf 'ohne SPDX-Kopf: %s\n' "${fehlt[@]}" >&2
  exit 1
fi
echo "$geprueft files checked"
