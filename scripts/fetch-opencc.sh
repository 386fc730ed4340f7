#!/bin/sh
# Fetches the comparison library of the same-run benchmark, OpenCC 1.4.2, from the npm
# registry (its C++ source and data) into <build folder>/opencc and builds its library
# there with bench/opencc/CMakeLists.txt. Nothing lands in the repository, and neither the
# product nor the tests use it. Runs once; later calls find the library in place.
# usage: fetch-opencc.sh <build folder>
set -eu
build=${1:?usage: fetch-opencc.sh <build folder>}
here=$(cd "$(dirname "$0")/.." && pwd)
out="$build/opencc"
[ -s "$out/lib/libopencc.so" ] && exit 0
mkdir -p "$out"
out=$(cd "$out" && pwd)
if [ ! -d "$out/package/src" ]; then
    (cd "$out" && npm pack opencc@1.4.2 >/dev/null 2>&1) || {
        echo "fetch-opencc: npm pack opencc@1.4.2 failed (is the npm registry reachable?)" >&2
        exit 1
    }
    tar xzf "$out/opencc-1.4.2.tgz" -C "$out"
fi
cmake -S "$here/bench/opencc" -B "$out/lib" -DOPENCC_SOURCE="$out/package" >/dev/null
cmake --build "$out/lib" -j "${JOBS:-3}" >/dev/null
