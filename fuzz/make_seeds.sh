#!/usr/bin/env bash
# fuzz/make_seeds.sh: writes the seed corpus fuzz/corpus/<target>/ afresh
# with Kestrin's own writers (the fuzz_seed_maker program of the fuzz build).
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz/configure.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake --build build/fuzz --target fuzz_seed_maker
rm -rf fuzz/corpus
ASAN_OPTIONS=detect_leaks=0 build/fuzz/bin/fuzz_seed_maker fuzz/corpus
du -sh fuzz/corpus
