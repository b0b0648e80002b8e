#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the
# AddressSanitizer/UndefinedBehaviorSanitizer build, the Windows backends under Wine, the
# Debian package (scripts/test-package.sh), and a short bounded fuzzing run.
# Ends with one summary line "N passed, N failed" and a non-zero status on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

scripts/install-deps.sh --test || { echo "0 passed, 1 failed"; exit 1; }

total_passed=0
total_failed=0
status=0

# run_stage NAME BUILD_DIR CTEST_ARGS... : builds nothing, runs ctest and adds up its counts.
run_stage() {
    local name=$1 dir=$2
    shift 2
    local log="$dir/ctest.log"
    echo "=== $name: tests"
    (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
    local line passed failed total
    line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
    if [[ -z "$line" ]]; then
        echo "$name: ctest gave no result"
        total_failed=$((total_failed + 1))
        status=1
        return
    fi
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((total - failed))
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
    ((failed == 0)) || status=1
}

build_failed() {
    echo "$1: build failed"
    total_failed=$((total_failed + 1))
    status=1
}

# Formatting is part of the build's hygiene: report files that clang-format would change.
unformatted=$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -c "warning:" || true)
if [[ "$unformatted" != "0" ]]; then
    echo "clang-format: $unformatted places differ from the committed style"
fi

# Unity builds: each target compiles its sources in a few batches, so the Qt headers are
# parsed a few times per target instead of once per file. It keeps two full builds quick.
echo "=== normal build"
if cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZ_WERROR=ON -DCMAKE_UNITY_BUILD=ON >/dev/null &&
    cmake --build build/test -j "$jobs"; then
    run_stage "normal" build/test -j "$jobs"
else
    build_failed "normal"
fi

echo "=== sanitizer build"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON >/dev/null &&
    cmake --build build/asan -j "$jobs"; then
    run_stage "sanitizer" build/asan -j "$jobs"
else
    build_failed "sanitizer"
fi
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

echo "=== Windows build under Wine"
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/qz-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if cmake -S win32 -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null &&
    cmake --build build/win32 -j "$jobs"; then
    wineboot --init >/dev/null 2>&1 || true
    run_stage "windows" build/win32
else
    build_failed "windows"
fi
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"

echo "=== Debian package"
mkdir -p build
scripts/test-package.sh 2>&1 | tee build/package-test.log
package_line=$(grep -E "^package: [0-9]+ passed, [0-9]+ failed$" build/package-test.log)
if [[ "$package_line" =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    total_passed=$((total_passed + BASH_REMATCH[1]))
    total_failed=$((total_failed + BASH_REMATCH[2]))
    ((BASH_REMATCH[2] == 0)) || status=1
else
    echo "package: the stage gave no result"
    total_failed=$((total_failed + 1))
    status=1
fi

echo "=== fuzzing (bounded)"
if QZ_FUZZ_SECONDS="${QZ_FUZZ_SECONDS:-15}" scripts/fuzz.sh; then
    total_passed=$((total_passed + 1))
else
    total_failed=$((total_failed + 1))
    status=1
fi

echo
echo "${total_passed} passed, ${total_failed} failed"
exit $status
