#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang's libFuzzer with ASan and UBSan) in build/fuzz, replays
# every kept crash input under fuzz/regressions/, then fuzzes each target for a bounded time
# starting from fuzz/corpus/. One result line per target; a non-zero status on any finding.
#   QZ_FUZZ_SECONDS  seconds of fuzzing per target (default 20; 0 replays only)
#   QZ_FUZZ_CXX      the clang++ to build with (default clang++-14)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${QZ_FUZZ_SECONDS:-20}
cxx=${QZ_FUZZ_CXX:-clang++-14}
build=build/fuzz
targets=(translation_block time_field date_field)

if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "fuzz: QZ_FUZZ_SECONDS must be a whole number of seconds, not '$seconds'"
    exit 2
fi

echo "=== fuzz: build"
mkdir -p "$build"
if ! cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" >"$build/configure.log" 2>&1; then
    cat "$build/configure.log"
    echo "fuzz: configure failed"
    exit 1
fi
if ! cmake --build "$build" -j 2; then
    echo "fuzz: build failed"
    exit 1
fi

# Leaks are findings too; the one-off allocations Qt keeps for the process are not.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
results=()
for target in "${targets[@]}"; do
    binary="$build/${target}_fuzz"
    log="$build/$target.log"
    artifacts="$build/artifacts/$target"
    work="$build/corpus/$target"
    mkdir -p "$artifacts" "$work"
    : >"$log"
    touch "$build/$target.start"

    # Kept crash inputs first: each must now run clean.
    mapfile -t kept < <(find "fuzz/regressions/$target" -type f ! -name '.*' 2>/dev/null | sort)
    replayed="${#kept[@]} kept inputs"
    if ((${#kept[@]} > 0)); then
        if ! "$binary" "${kept[@]}" >>"$log" 2>&1; then
            results+=("$target: FAILED replaying fuzz/regressions/$target ($replayed), see $log")
            status=1
            continue
        fi
    fi

    if ((seconds == 0)); then
        results+=("$target: ok ($replayed replayed)")
        continue
    fi
    # New finds go to the working corpus under build/, never into the committed seeds.
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$target" >>"$log" 2>&1; then
        runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
        results+=("$target: ok (${runs:-?} runs in ${seconds}s, $replayed replayed)")
    else
        found=$(find "$artifacts" -type f -newer "$build/$target.start" 2>/dev/null | head -n 1)
        results+=("$target: FAILED, input ${found:-in $artifacts}; keep it under fuzz/regressions/$target, see $log")
        status=1
    fi
done

echo "=== fuzz: results"
printf '%s\n' "${results[@]}"
exit $status
