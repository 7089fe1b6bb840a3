#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest. Where this machine
# has the Windows toolchain (scripts/windows/build-toolchain.sh), the Windows build is made too and
# its tests run under Wine; elsewhere they are skipped, and this says so.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
windows=(-DRAVELHA_WINDOWS_BUILD=)
status=0
./scripts/windows/package.sh >/dev/null || status=$?
if [ "$status" -eq 0 ]; then
  windows=(-DRAVELHA_WINDOWS_BUILD="$PWD/build-win")
elif [ "$status" -eq 3 ]; then
  echo "Testes do Windows ignorados: esta máquina não tem o conjunto de ferramentas para Windows (scripts/windows/build-toolchain.sh)."
else
  echo "A compilação para Windows falhou." >&2
  exit "$status"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${windows[@]}"
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)"
