#!/usr/bin/env bash
# Runs icon_check.py against the game under its own Xvfb.
#   tests/ui/desktop/icon_check.sh build/release/numora
set -euo pipefail
game=$(realpath "$1")
cd "$(dirname "$0")/../../.."
. tests/support/xvfb.sh
/usr/bin/python3 tests/ui/desktop/icon_check.py "$game" assets/icons
