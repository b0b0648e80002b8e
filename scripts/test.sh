#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the
# AddressSanitizer/UndefinedBehaviorSanitizer build, the Windows program and its installer
# (MinGW-w64 against the Qt for MinGW in ../shared/qt6-mingw) under Wine, the Debian package
# (scripts/test-package.sh), the package on a booted Debian with real logind and polkit
# (scripts/test-real-system.sh), and a short bounded fuzzing run.
# Ends with one summary line "N passed, N failed" and a non-zero status on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

scripts/install-deps.sh --test || { echo "0 passed, 1 failed"; exit 1; }

total_passed=0
total_failed=0
status=0

# run_stage NAME BUILD_DIR CTEST_ARGS... : builds nothing, runs ctest (inside the command
# stage_wrapper holds, if any) and adds up its counts.
stage_wrapper=()
run_stage() {
    local name=$1 dir=$2
    shift 2
    local log="$dir/ctest.log"
    echo "=== $name: tests"
    (cd "$dir" && "${stage_wrapper[@]}" ctest --output-on-failure "$@") 2>&1 | tee "$log"
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

# Formatting is part of the build's hygiene: a file that clang-format would change fails the
# run.
unformatted=$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep "warning:" |
    cut -d: -f1 | sort -u)
if [[ -n "$unformatted" ]]; then
    echo "clang-format: these files differ from the committed style:"
    sed 's/^/    /' <<<"$unformatted"
    total_failed=$((total_failed + 1))
    status=1
else
    total_passed=$((total_passed + 1))
fi

# The normal build compiles each file on its own, so a file that leans on another's includes
# shows here. The others are unity builds: each target compiles its sources in a few
# batches, so the Qt headers are parsed a few times per target instead of once per file.
echo "=== normal build"
if cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZ_WERROR=ON -DCMAKE_UNITY_BUILD=OFF >/dev/null &&
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
# The Qt for MinGW comes as an archive beside the repository; it is unpacked into the build
# folder once per checksum, so a rebuild does not relink everything.
qt_archive_dir="$root/../shared/qt6-mingw"
qt_sums="$qt_archive_dir/SHA256SUMS"
qt_stamp=build/qt6-mingw/.unpacked-from
windows_ready=1
if [[ ! -f "$qt_sums" ]]; then
    echo "windows: the Qt for MinGW is missing ($qt_archive_dir with SHA256SUMS and the archive)"
    windows_ready=0
elif ! [[ -f "$qt_stamp" && "$(cat "$qt_stamp")" == "$(cat "$qt_sums")" ]]; then
    if (cd "$qt_archive_dir" && sha256sum --quiet -c SHA256SUMS); then
        rm -rf build/qt6-mingw && mkdir -p build &&
            tar -xJf "$qt_archive_dir/$(awk '{print $2; exit}' "$qt_sums")" -C build &&
            cp "$qt_sums" "$qt_stamp" || windows_ready=0
    else
        echo "windows: the Qt for MinGW archive does not match its SHA256SUMS"
        windows_ready=0
    fi
fi
# A fresh Wine prefix per run, made while the build compiles (the build's Wine tools and the
# tests wait for it). One X display with a tray for all Wine programs of the tests.
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/qz-wine.XXXXXX)
if ((windows_ready)) &&
    cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_WERROR=ON \
        -DCMAKE_UNITY_BUILD=ON -DQZ_INSTALLER_COMPRESSOR=zlib \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$root/build/qt6-mingw" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null; then
    build/windows/wine-run wineboot >/dev/null 2>&1 &
    if cmake --build build/windows -j "$jobs"; then
        stage_wrapper=(/usr/bin/python3 "$root/tests/support/with_mocks.py" --trayer --no-session-bus --)
        run_stage "windows" build/windows -j "$jobs"
        stage_wrapper=()
    else
        build_failed "windows"
    fi
    wait
else
    build_failed "windows"
fi
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
unset WINEPREFIX

# script_stage NAME COMMAND...: runs a stage script that ends with "NAME: N passed, N failed"
# and adds up its counts; its output is kept in build/NAME-test.log.
script_stage() {
    local name=$1 log=build/$1-test.log line
    shift
    mkdir -p build
    "$@" 2>&1 | tee "$log"
    line=$(grep -E "^$name: [0-9]+ passed, [0-9]+ failed$" "$log")
    if [[ "$line" =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
        total_passed=$((total_passed + BASH_REMATCH[1]))
        total_failed=$((total_failed + BASH_REMATCH[2]))
        ((BASH_REMATCH[2] == 0)) || status=1
    else
        echo "$name: the stage gave no result"
        total_failed=$((total_failed + 1))
        status=1
    fi
}

echo "=== Debian package"
script_stage package scripts/test-package.sh

# The package just built, installed into a booted Debian and carried out for real there.
echo "=== real system (logind, polkit)"
if grep -q "^FAILED: package build$" build/package-test.log; then
    echo "real: no package was built"
    total_failed=$((total_failed + 1))
    status=1
else
    script_stage real scripts/test-real-system.sh
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
