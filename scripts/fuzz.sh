#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 40: two minutes for the three) from the committed
# seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-40}
build=build-fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DHITUNGRAMA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
for target in numbertext pastedtext engine; do
    work="$build/corpus-$target"
    mkdir -p "$work" "$build/artifacts"
    echo "== fuzz-$target for ${seconds}s =="
    "$build/tools/fuzz/fuzz-$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 \
        "$work" "tools/fuzz/corpus/$target" 2>&1 | grep -v -E '^#[0-9]+' || exit 1
done
echo "fuzzing: no crash, no hang"
