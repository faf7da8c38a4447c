#!/usr/bin/env bash
# Fails when a tracked C++ source differs from the layout .clang-format describes (Debian 12's
# clang-format 14). Tables that packing would make unreadable are kept as written between
# "// clang-format off" and "// clang-format on".
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
velkor_install_packages clang-format
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
