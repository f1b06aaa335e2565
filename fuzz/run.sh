#!/usr/bin/env bash
# Builds the fuzz targets (clang, build/fuzz) and runs each one for FUZZ_SECONDS (default 60),
# one after another, on one core each. Each starts from the seeds made from the shipped levels,
# the regression inputs kept under fuzz/corpus/<target>/ and the corpus earlier runs grew in
# build/fuzz/corpus/<target>/. Prints each target's executions and coverage; exits non-zero
# when a target crashes, trips a sanitizer or a check, runs out of time on an input or out of
# memory (the input is kept as build/fuzz/artifacts/<target>/crash-…).
#   fuzz/run.sh [SOURCE_DIR] [BUILD_DIR]     FUZZ_SECONDS=10 FUZZ_TARGETS="grid kv" to narrow.
set -uo pipefail
src=$(cd "${1:-$(dirname "$0")/..}" && pwd)
build=${2:-$src/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-grid kv settings doors characters check}
jobs=${FUZZ_BUILD_JOBS:-$(nproc 2>/dev/null || echo 2)}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ was not found: run scripts/install-deps.sh (make deps) first."
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIVO_FUZZ=ON -DMIVO_TESTS=OFF -DMIVO_BENCH=OFF -DMIVO_WERROR=ON >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; echo "configuring the fuzz build failed"; exit 1; }
fi
cmake --build "$build" -j"$jobs" --target mivo_fuzzers >"$build/build.log" 2>&1 ||
  { tail -n 40 "$build/build.log"; echo "building the fuzz targets failed"; exit 1; }

# Seeds from the levels we ship: each reader gets the files it reads; the grid target a level's
# two layers, the checker a whole level folder, in the layouts the targets cut their input by.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{grid,kv,settings,doors,characters,check}
for level in "$src"/levels/*/; do
  name=$(basename "$level")
  f() { cat "$level/$1" 2>/dev/null; }
  { f 0.lvl; printf '\n#1.lvl\n'; f 1.lvl; } >"$seeds/grid/$name"
  f config.ini >"$seeds/kv/$name"
  f config.ini >"$seeds/settings/$name"
  f portals.lvl >"$seeds/doors/$name"
  f caracters.lvl >"$seeds/characters/$name"
  { f config.ini; printf '\n#--\n'; f 0.lvl; printf '\n#--\n'; f 1.lvl; printf '\n#--\n'
    f portals.lvl; printf '\n#--\n'; f caracters.lvl; } >"$seeds/check/$name"
done
printf 'mode=3\nresx=1000\nresy=600\nlissage=2\nvolume_general=100\nvolume_musique=80\nvolume_effets=55\nvolume_menus=0\n' \
  >"$seeds/settings/default"
cp "$seeds/settings/default" "$seeds/kv/settings"

cd "$src" || exit 1  # the checker looks for ressources/ here
failed=()
printf '%-11s %8s %12s %8s %8s\n' target seconds executions exec/s cov >"$build/summary.txt"
for t in $targets; do
  corpus=$build/corpus/$t
  artifacts=$build/artifacts/$t
  mkdir -p "$corpus" "$artifacts" "$src/fuzz/corpus/$t"
  log=$build/$t.log
  # Inputs stay short: a run-length row still spells a whole level in a few bytes, and the
  # grid and the checker cost per cell, so short inputs run several times as many executions
  # (the shipped levels are cut to this length as seeds).
  case $t in
    grid) max_len=512 ;;
    check | kv) max_len=2048 ;;
    settings) max_len=1024 ;;
    *) max_len=4096 ;;
  esac
  # libFuzzer's own output goes to the log; the game's lines on standard output are closed.
  "$build/fuzz_$t" "$corpus" "$src/fuzz/corpus/$t" "$seeds/$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
    -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  printf '%-11s %8s %12s %8s %8s\n' "$t" "$seconds" "${execs:-?}" "${rate:-?}" "${cov:-?}" \
    >>"$build/summary.txt"
  if [ "$rc" -ne 0 ]; then
    failed+=("$t")
    echo "== fuzz_$t failed (exit $rc); the end of its log ($log):"
    tail -n 60 "$log"
    ls "$artifacts"
  fi
done
cat "$build/summary.txt"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "every fuzz target ran clean"
