#!/bin/sh
# Builds the fuzz targets with clang into build-fuzz (when needed) and runs
# one of them for the given number of seconds on a scratch copy of its seeds.
#   tools/fuzz/run-fuzz.sh fuzz_read_fits 60
#   tools/fuzz/run-fuzz.sh fuzz_read_ppm 60
set -eu
target=${1:?usage: run-fuzz.sh fuzz_read_fits|fuzz_read_ppm SECONDS}
seconds=${2:?usage: run-fuzz.sh TARGET SECONDS}
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-fuzz"

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DTELVANE_GUI=OFF -DTELVANE_BENCHMARKS=OFF \
        -DTELVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j2 --target "$target"

cmake -DFUZZER="$build/tools/fuzz/$target" -DSEEDS="$root/tools/fuzz/corpus/$target" \
    -DWORK="$build/tools/fuzz/corpus-work/$target" -DSECONDS="$seconds" \
    -P "$root/tools/fuzz/run-fuzz-test.cmake"
