#!/usr/bin/env bash
# The whole test run: installs what is missing (scripts/setup.sh), checks
# that the folders of src/ include each other one way only
# (scripts/check-folders.sh), builds the presets, runs the native unit tests
# with ctest, again under AddressSanitizer and UndefinedBehaviorSanitizer, a
# short run of each fuzz target, packs the player's zip and checks its contents, then runs the
# end-to-end suite and the Win32 adapter tests under Wine (and Xvfb when
# there is no display). Prints the summaries; exits non-zero when anything
# fails.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mkdir -p build

started=$(date +%s)
if ! bash scripts/setup.sh; then
    echo "test: setup failed" >&2
    exit 1
fi
echo "== folder layering (no folder cycle in src/)"
bash scripts/check-folders.sh 2>&1 | tee build/check-folders.log
folders_rc=${PIPESTATUS[0]}

if ! bash scripts/build.sh native windows fuzz; then
    echo "test: build failed" >&2
    exit 1
fi

echo "== unit tests (native, ctest)"
ctest --preset native -j "${VARNOK_JOBS:-2}" 2>&1 | tee build/unit-tests.log
unit_rc=${PIPESTATUS[0]}

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang)"
ctest --preset asan -j "${VARNOK_JOBS:-2}" 2>&1 | tee build/asan-tests.log
asan_rc=${PIPESTATUS[0]}

echo "== fuzz targets (libFuzzer, ${VARNOK_FUZZ_SECONDS:-20} s each)"
bash scripts/fuzz.sh 2>&1 | tee build/fuzz.log
fuzz_rc=${PIPESTATUS[0]}

echo "== package (CPack zip and its contents)"
{ zip=$(bash scripts/package.sh) && bash scripts/check-package.sh "$zip"; } 2>&1 |
    tee build/package-check.log
package_rc=${PIPESTATUS[0]}

echo "== end-to-end tests (Windows build under Wine)"
e2e_started=$(date +%s)
bash scripts/e2e.sh 2>&1 | tee build/e2e-tests.log
e2e_rc=${PIPESTATUS[0]}
e2e_seconds=$(($(date +%s) - e2e_started))

echo "== Win32 adapter tests (under Wine)"
bash scripts/win32-checks.sh 2>&1 | tee build/win32-checks.log
checks_rc=${PIPESTATUS[0]}

echo
echo "== summary"
tail -1 build/check-folders.log | sed 's/^/folders: /'
grep -E "tests passed|tests failed" build/unit-tests.log | tail -1 | sed 's/^/unit: /'
grep -E "tests passed|tests failed" build/asan-tests.log | tail -1 | sed 's/^/asan: /'
grep -E "^fuzz: .*(clean|FOUND)" build/fuzz.log
grep -aE "^\[  (PASSED|FAILED)  \] [0-9]+ test|^\[==========\] [0-9]+ tests? from" \
    build/e2e-tests.log | tr -d '\r' | sed 's/^/e2e: /'
grep -aE "^\[  FAILED  \] [A-Za-z]" build/e2e-tests.log | tr -d '\r' | sort -u | sed 's/^/e2e: /'
grep -aE "^\[  (PASSED|FAILED)  \] [0-9]+ test|^\[==========\] [0-9]+ tests? from" \
    build/win32-checks.log | tr -d '\r' | sed 's/^/win32: /'
grep -aE "^\[  FAILED  \] [A-Za-z]" build/win32-checks.log | tr -d '\r' | sort -u | sed 's/^/win32: /'
grep -E "checks passed|^FAIL |^package: " build/package-check.log
echo "time: e2e ${e2e_seconds} s, total $(($(date +%s) - started)) s"

if [ "$folders_rc" -ne 0 ] || [ "$unit_rc" -ne 0 ] || [ "$asan_rc" -ne 0 ] ||
    [ "$fuzz_rc" -ne 0 ] || [ "$package_rc" -ne 0 ] || [ "$e2e_rc" -ne 0 ] ||
    [ "$checks_rc" -ne 0 ]; then
    echo "test: FAILED (folders rc=$folders_rc, unit rc=$unit_rc, asan rc=$asan_rc," \
        "fuzz rc=$fuzz_rc, package rc=$package_rc, e2e rc=$e2e_rc, win32 checks rc=$checks_rc)"
    exit 1
fi
echo "test: all passed"
