#!/usr/bin/env bash
# Installs what is missing, builds Kestrin and starts it; arguments are passed
# on (./run.sh some.ksd opens that game).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_packages.sh
# ccache may reuse objects built in another checkout of the same sources.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIN_TESTS=OFF -DKESTRIN_BENCH=OFF >/dev/null
cmake --build build/release --target kestrin kestrin-cli
exec build/release/bin/kestrin "$@"
