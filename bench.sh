#!/usr/bin/env bash
# Installs what is missing, builds (RelWithDebInfo), and runs every benchmark in build/bench.
# Arguments go to each benchmark, e.g. ./bench.sh --benchmark_filter=Window
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
orvane_install_missing
orvane_build
export QT_QPA_PLATFORM=offscreen
for b in "$ORVANE_BUILD"/bench/*; do
  if [ -f "$b" ] && [ -x "$b" ]; then
    echo "== $(basename "$b")"
    "$b" "$@"
  fi
done
