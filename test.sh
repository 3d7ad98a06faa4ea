#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
orvane_install_missing
orvane_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$ORVANE_BUILD" -j"${ORVANE_JOBS:-$(nproc)}" --output-on-failure --timeout 300
