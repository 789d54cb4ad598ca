#!/usr/bin/env bash
# Builds the calculator (installing missing Debian packages first) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$(nproc)" --target hitungrama
if [ -x build/app/hitungrama ]; then
    exec build/app/hitungrama "$@"
fi
