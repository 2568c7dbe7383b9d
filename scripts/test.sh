#!/usr/bin/env bash
# Sets up, builds and runs every test (unit and GUI tests, headless).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
