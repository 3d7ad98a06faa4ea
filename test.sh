#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh          the plain build in build/
#   ./test.sh --asan   a build with AddressSanitizer and UndefinedBehaviorSanitizer in
#                      build-asan/ (with clang and libFuzzer when clang is there), whose
#                      fuzz targets run for a bounded time each
set -euo pipefail
ORVANE_SANITIZE=0
for arg in "$@"; do
  case "$arg" in
    --asan) ORVANE_SANITIZE=1 ;;
    *) echo "usage: $0 [--asan]" >&2; exit 2 ;;
  esac
done
export ORVANE_SANITIZE
source "$(dirname "$0")/scripts/common.sh"
orvane_install_missing
orvane_build
export QT_QPA_PLATFORM=offscreen
if [ "$ORVANE_SANITIZE" = 1 ]; then
  # Any finding fails its test. Leaks are not checked: Qt's plugins and font cache keep
  # memory to the end of the process on purpose.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
ctest --test-dir "$ORVANE_BUILD" -j"${ORVANE_JOBS:-$(nproc)}" --output-on-failure --timeout 300
