#!/usr/bin/env bash
# Installs what is missing, builds everything twice (GCC, and Clang with AddressSanitizer,
# UBSan and the fuzzers) and runs every test of both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/abhaengigkeiten.sh
jobs=$(nproc)

cmake --preset default
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

cmake --preset asan
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"
