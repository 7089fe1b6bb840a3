#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on its data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target ravelha
exec ./build/src/gui/ravelha "$@"
