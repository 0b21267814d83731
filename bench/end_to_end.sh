#!/usr/bin/env bash
# Times vantor extract --png and vantor convert on a batch of the benchmark
# pictures, with one job and with the default (one per core), and prints
# pictures per second. With --profile, also where extract --png spends its
# time (perf, one job).
#   bench/end_to_end.sh [BUILD_DIR] [--profile]     (BUILD_DIR: build/bench)
# VANTOR_BATCH_COPIES sets how many times the twelve pictures are written
# (8: 96 files); more copies give steadier figures on a busy machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/bench}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/vantor_bench_batch" "$work/pictures" "${VANTOR_BATCH_COPIES:-8}"
(cd "$work/pictures" && "$OLDPWD/$build/bin/vantor" pack ./*.* -o "$work/batch.pak" >/dev/null)
count=$(ls "$work/pictures" | wc -l)

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

for jobs in 1 "$(nproc)"; do
    for command in extract convert; do
        rm -rf "$work/out"
        if [ "$command" = extract ]; then
            t=$(seconds "$build/bin/vantor" extract "$work/batch.pak" -o "$work/out" --png -j "$jobs")
        else
            t=$(seconds "$build/bin/vantor" convert "$work"/pictures/* -o "$work/out" -j "$jobs")
        fi
        printf '%-8s -j %s: %3d pictures in %6.3f s, %6.1f pictures/s\n' \
            "$command" "$jobs" "$count" "$t" "$(echo "$count / $t" | bc -l)"
    done
done

if [ "${2:-}" = "--profile" ]; then
    rm -rf "$work/out"
    perf record -q -o "$work/perf.data" "$build/bin/vantor" extract "$work/batch.pak" \
        -o "$work/out" --png -j 1 >/dev/null 2>&1
    perf report -i "$work/perf.data" --stdio --sort dso 2>/dev/null | grep -v '^#' | grep -v '^$' | head -12
fi
