#!/usr/bin/env bash
# Builds the project twice (release, and debug with AddressSanitizer and
# UndefinedBehaviorSanitizer), installing missing Debian packages first,
# and runs the whole test suite in both builds.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --parallel "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DHITUNGRAMA_SANITIZE=ON
cmake --build build-sanitize --parallel "$jobs"
ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"
