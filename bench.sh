#!/usr/bin/env bash
# The benchmark: ./bench.sh [GRADES]   (default 20000)
# Builds a Release build in build-bench/, makes a database of GRADES grades from the demo database
# (kept in build-bench/benchdb/ and made again only when the demo database changes), and times the
# program's main paths on it: on an X server of its own (xvfb-run, a 1280x1024 screen) when xvfb-run
# is installed, offscreen otherwise. Prints one line per operation and exits 0 whatever the times.
set -euo pipefail
cd "$(dirname "$0")"
grades="${1:-20000}"
runs="${BENCH_RUNS:-5}"
. scripts/setup.sh
velkor_install_packages

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-bench -j "$(nproc)" --target velkorbench mkbenchdb velkor_program_folder >/dev/null

demo=build-bench/bin/Velkor_PED.mdb
db="build-bench/benchdb/Velkor_PED_${grades}.mdb"
mkdir -p build-bench/benchdb
if [ ! -f "$db" ] || [ "$demo" -nt "$db" ] || [ build-bench/tools/mkbenchdb/mkbenchdb -nt "$db" ]; then
  echo "Making a database of ${grades} grades..." >&2
  build-bench/tools/mkbenchdb/mkbenchdb "$demo" "$db" "$grades"
fi

# The shared fixtures live beside the repository.
jet="$(cd .. && pwd)/shared/fixtures/jet-scale"
screen=()
if command -v xvfb-run >/dev/null; then
  screen=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb)
else
  screen=(env QT_QPA_PLATFORM=offscreen)
fi
"${screen[@]}" build-bench/tools/velkorbench/velkorbench --db "$db" --grades "$grades" \
  --bin build-bench/bin --jet "$jet" --runs "$runs" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2) || true
exit 0
