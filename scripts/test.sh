#!/usr/bin/env bash
# The whole test run: installs what is missing (scripts/setup.sh), checks
# that the folders of src/ include each other one way only
# (scripts/check-folders.sh), builds the windows and fuzz presets, runs the
# unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, a short
# run of each fuzz target, packs the player's zip and checks its contents,
# then runs the end-to-end suite (Varnok on the game's log, then the cases
# where its ears differ on the console's pane) and the Win32 adapter tests
# under Wine (and Xvfb when there is no display). The native preset, the contributors' quick
# loop, is left out: it would build the same core and unit tests a second
# time, for a run the sanitized one already makes.
#
# Each stage prints its name, then its result and time; everything the tools
# say goes to build/logs/<stage>.log (Wine's own messages to
# build/logs/*.wine.log), and a stage that fails prints where its log is and
# the failing tests' names. Prints the summary at the end; exits non-zero when
# anything fails.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
rm -rf build/logs  # this run's logs only
mkdir -p build/logs
source scripts/lib/stages.sh

# The unit tests in one process under the sanitizers, with the asan test
# preset's settings: a process a test (ctest) costs each test the
# sanitizers' start-up, seven times the tests' own time.
unit_tests_sanitized() (
    cd build/fuzz &&
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            ./varnok_unit_tests --gtest_color=no
)

package_and_check() {
    local zip
    zip=$(bash scripts/package.sh) && bash scripts/check-package.sh "$zip"
}

echo "test: each stage's output goes to build/logs/<stage>.log"
if ! run_stage setup "setup" report_last_line bash scripts/setup.sh; then
    print_summary
    exit 1
fi
run_stage folders "folder layering" report_last_line bash scripts/check-folders.sh
# The Wine prefixes, made (once) while the build runs: Wine mostly waits on itself there.
(source scripts/lib/wine-env.sh && ensure_lane_prefixes "${VARNOK_E2E_LANES:-3}") \
    >>build/logs/wine-prefix.log 2>&1 &
prefixes=$!
if ! run_stage build "build (windows, fuzz)" report_build bash scripts/build.sh windows fuzz; then
    wait "$prefixes"
    print_summary
    exit 1
fi
run_stage unit "unit tests (ASan, UBSan)" report_gtest unit_tests_sanitized
run_stage fuzz "fuzz targets" report_fuzz bash scripts/fuzz.sh
run_stage package "package" report_last_line package_and_check
wait "$prefixes"
run_stage e2e "end-to-end tests" report_e2e bash scripts/e2e.sh
run_stage win32 "Win32 adapter tests" report_gtest bash scripts/win32-checks.sh

print_summary
if ! all_passed; then
    echo "test: FAILED"
    exit 1
fi
echo "test: all passed"
