#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/abhaengigkeiten.sh
cmake --preset default
cmake --build --preset default --target zechwaage -j"$(nproc)"
exec build/app/zechwaage
