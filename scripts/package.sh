#!/usr/bin/env bash
# Makes the Debian package of Ravelha: a Release build of the two programs in build-deb/, then
# cpack. Prints the path of the .deb; install it with `sudo apt-get install ./ravelha_...deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=build-deb
# Only the programs are built: installing must not wait for the tests to build.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target ravelha ravelha-cli ravelha_packaging_texts
rm -f "$build"/ravelha_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/ravelha_*.deb
