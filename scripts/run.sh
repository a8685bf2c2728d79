#!/usr/bin/env bash
# Installs what is missing, builds Glyphwerk and starts it. Arguments are passed to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target glyphwerk
exec build/app/glyphwerk "$@"
