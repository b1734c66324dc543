#!/usr/bin/env bash
# Configures the fuzz build in build/fuzz: clang with libFuzzer's coverage,
# AddressSanitizer and UndefinedBehaviorSanitizer, no GUI, tests or
# benchmarks. Installs clang and libFuzzer when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_packages.sh
missing=()
for p in clang libclang-rt-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Fuzz \
    -DCMAKE_C_FLAGS_FUZZ="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" \
    -DKESTRIN_FUZZ=ON -DKESTRIN_GUI=OFF -DKESTRIN_TESTS=OFF -DKESTRIN_BENCH=OFF >/dev/null
