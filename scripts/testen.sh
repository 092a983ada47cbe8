#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the tests need too, builds everything twice (GCC, and Clang with
# AddressSanitizer, LeakSanitizer, UBSan and the fuzzers) and runs every test of both builds.
# ZW_WERROR=ON turns compiler warnings into errors, as CI does. After the GCC build,
# scripts/pruefen.sh checks the formatting and runs clang-tidy (version 19). Each build's
# tests run through scripts/ctest-pruefen.sh, which fails on a failed, missing, unexpected or
# skipped test and ends with a line that counts them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/abhaengigkeiten.sh test
jobs=$(nproc)
werror=${ZW_WERROR:-OFF}

cmake --preset default -DZW_WERROR="$werror"
cmake --build --preset default -j"$jobs"
scripts/pruefen.sh build
scripts/ctest-pruefen.sh default -j"$jobs"

cmake --preset asan -DZW_WERROR="$werror"
cmake --build --preset asan -j"$jobs"
scripts/ctest-pruefen.sh asan -j"$jobs"
