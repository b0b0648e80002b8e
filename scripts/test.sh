#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the
# AddressSanitizer/UndefinedBehaviorSanitizer build, the Windows program and its installer
# (MinGW-w64 against the Qt for MinGW in ../shared/qt6-mingw) under Wine, the Debian package
# (scripts/test-package.sh), the package on a booted Debian with real logind and polkit
# (scripts/test-real-system.sh), and a short bounded fuzzing run.
# Each stage lists the tests it skipped, with their reasons. Ends with one summary line
# "N passed, N failed, N skipped" and a non-zero status on any failure. With CI=true a skip
# counts as a failure unless scripts/ci-allowed-skips.txt allows it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

scripts/install-deps.sh --test || { echo "0 passed, 1 failed, 0 skipped"; exit 1; }

total_passed=0
total_failed=0
total_skipped=0
status=0
skip_list=()

fail_one() {
    total_failed=$((total_failed + 1))
    status=1
}

# count_skip STAGE "TEST: REASON": a skip, or in CI a failure unless its reason is one a CI
# machine cannot avoid.
count_skip() {
    local allowed
    allowed=$(grep -vE '^[[:space:]]*(#|$)' scripts/ci-allowed-skips.txt)
    if [[ "${CI:-}" == true ]] && ! { [[ -n "$allowed" ]] && grep -qE -e "$allowed" <<<"$2"; }; then
        skip_list+=("$1: $2 (not allowed in CI: a failure)")
        fail_one
    else
        skip_list+=("$1: $2")
        total_skipped=$((total_skipped + 1))
    fi
}

# add_stage_result NAME FILE: adds up the stage's closing line in FILE, "NAME: N passed,
# N failed[, N skipped]", and its skips, one line "skipped TEST: REASON" each. A stage script
# (the package's, or any other) prints both the same way.
add_stage_result() {
    local name=$1 file=$2 line passed failed skipped listed=0 entry
    line=$(grep -E "^$name: [0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$" "$file" | tail -n 1)
    if [[ ! "$line" =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed(,\ ([0-9]+)\ skipped)? ]]; then
        echo "$name: the stage gave no result"
        fail_one
        return
    fi
    passed=${BASH_REMATCH[1]} failed=${BASH_REMATCH[2]} skipped=${BASH_REMATCH[4]:-0}
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
    ((failed == 0)) || status=1
    while IFS= read -r entry; do
        count_skip "$name" "${entry#skipped }"
        listed=$((listed + 1))
    done < <(grep -E '^skipped [^:]+: ' "$file")
    for ((; listed < skipped; listed++)); do
        count_skip "$name" "(a test it did not name): no reason given"
    done
}

# run_stage NAME BUILD_DIR CTEST_ARGS... : builds nothing, runs ctest (inside the command
# stage_wrapper holds, if any) and adds up its counts. Whole outputs are kept (CTest cuts a
# passed test's to 1 KB) so that cases skipped inside a binary show with their reasons.
stage_wrapper=()
run_stage() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name: tests"
    (cd "$dir" && "${stage_wrapper[@]}" ctest --output-on-failure --output-junit ctest.xml \
        --test-output-size-passed 4000000 --test-output-size-failed 4000000 "$@") 2>&1 |
        tee "$dir/ctest.log"
    if python3 scripts/ctest_summary.py "$name" "$dir/ctest.log" "$dir/ctest.xml" \
        >"$dir/ctest-summary.txt"; then
        cat "$dir/ctest-summary.txt"
        add_stage_result "$name" "$dir/ctest-summary.txt"
    else
        echo "$name: ctest gave no result"
        fail_one
    fi
}

build_failed() {
    echo "$1: build failed"
    fail_one
}

# Formatting is part of the build's hygiene: a file that clang-format would change fails the
# run, and so does a check that cannot look (no git or not a clone, no clang-format).
if ! sources=$(git ls-files '*.cpp' '*.h') || [[ -z "$sources" ]]; then
    echo "clang-format: cannot list the sources (is git installed and this a clone?)"
    fail_one
elif ! report=$(xargs clang-format --dry-run <<<"$sources" 2>&1); then
    echo "clang-format: could not check the sources:"
    sed 's/^/    /' <<<"$report" | tail -n 5
    fail_one
elif unformatted=$(grep "warning:" <<<"$report" | cut -d: -f1 | sort -u) && [[ -n "$unformatted" ]]; then
    echo "clang-format: these files differ from the committed style:"
    sed 's/^/    /' <<<"$unformatted"
    fail_one
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
# (", N skipped" where it skipped any, each named on a line "skipped TEST: REASON") and adds
# up its counts; its output is kept in build/NAME-test.log.
script_stage() {
    local name=$1 log=build/$1-test.log
    shift
    mkdir -p build
    "$@" 2>&1 | tee "$log"
    add_stage_result "$name" "$log"
}

echo "=== Debian package"
script_stage package scripts/test-package.sh

# The package just built, installed into a booted Debian and carried out for real there.
echo "=== real system (logind, polkit)"
if grep -q "^FAILED: package build$" build/package-test.log; then
    echo "real: no package was built"
    fail_one
else
    script_stage real scripts/test-real-system.sh
fi

echo "=== fuzzing (bounded)"
if QZ_FUZZ_SECONDS="${QZ_FUZZ_SECONDS:-15}" scripts/fuzz.sh; then
    total_passed=$((total_passed + 1))
else
    fail_one
fi

echo
if ((${#skip_list[@]})); then
    echo "skipped:"
    printf '    %s\n' "${skip_list[@]}"
fi
echo "${total_passed} passed, ${total_failed} failed, ${total_skipped} skipped"
exit $status
