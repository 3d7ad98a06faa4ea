#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvane in the build's program folder.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
orvane_install_missing
orvane_build
exec "$ORVANE_BUILD/bin/Orvane" "$@"
