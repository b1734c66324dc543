#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_packages.sh
# ccache may reuse objects built in another checkout of the same sources.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRIN_SANITIZE=ON >/dev/null
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure -j "$(nproc)" "$@"
