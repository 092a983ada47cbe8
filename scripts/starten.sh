#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/abhaengigkeiten.sh bau
cmake --preset default
cmake --build --preset default --target zechwaage -j"$(nproc)"
exec build/app/zechwaage "$@"
