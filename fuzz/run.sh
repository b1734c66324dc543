#!/usr/bin/env bash
# fuzz/run.sh TARGET SECONDS [libFuzzer options...]
# Builds one fuzz target with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz and runs it for that many seconds
# on a working corpus seeded from fuzz/corpus/TARGET. New findings land in
# build/fuzz/findings/TARGET. Installs clang and libFuzzer when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ]; then
    echo "usage: fuzz/run.sh TARGET SECONDS [libFuzzer options...]" >&2
    echo "targets: $(ls fuzz/corpus | tr '\n' ' ')" >&2
    exit 2
fi
target=$1
seconds=$2
shift 2
if [ ! -d "fuzz/corpus/$target" ]; then
    echo "no such target: $target (targets: $(ls fuzz/corpus | tr '\n' ' '))" >&2
    exit 2
fi

fuzz/configure.sh
# ccache may reuse objects built in another checkout of the same sources.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake --build build/fuzz --target "fuzz_$target"

# The working corpus grows while fuzzing; the stored seeds stay as they are.
work=build/fuzz/corpus/$target
findings=build/fuzz/findings/$target
mkdir -p "$work" "$findings"
dictionary=()
[ -f "fuzz/dictionaries/$target.dict" ] && dictionary=(-dict="fuzz/dictionaries/$target.dict")

# A reader may take a fixed amount plus a small multiple of its input, never
# more than the malloc limit; one second at most per input.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec build/fuzz/bin/fuzz_$target "$work" "fuzz/corpus/$target" \
    -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2560 -malloc_limit_mb=512 \
    -artifact_prefix="$findings/" -print_final_stats=1 "${dictionary[@]}" "$@"
