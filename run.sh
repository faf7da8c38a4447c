#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the demo database.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
velkor_install_packages
velkor_build_program
cd build/bin
exec ./Velkor_PED "$@"
