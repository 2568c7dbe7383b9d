#!/usr/bin/env bash
# Sets up, builds and starts Quellora on the shipped sample catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec "${BUILD_DIR:-build}/quellora" "$@"
