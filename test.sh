#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
velkor_install_packages
velkor_build
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
