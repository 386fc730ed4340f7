#!/bin/sh
# Fetches a release of the comparison library of the same-run benchmark, OpenCC (default
# 1.4.2, the current one), from the npm registry (its C++ source and data) into
# <build folder>/opencc-<release> and builds its library there with
# bench/opencc/CMakeLists.txt. Nothing lands in the repository, and neither the product nor
# the tests use it. Runs once per release; later calls find the library in place.
# usage: fetch-opencc.sh <build folder> [release]
set -eu
build=${1:?usage: fetch-opencc.sh <build folder> [release]}
release=${2:-1.4.2}
here=$(cd "$(dirname "$0")/.." && pwd)
out="$build/opencc-$release"
[ -s "$out/lib/libopencc.so" ] && exit 0
mkdir -p "$out"
out=$(cd "$out" && pwd)
if [ ! -d "$out/package/src" ]; then
    (cd "$out" && npm pack "opencc@$release" >/dev/null 2>&1) || {
        echo "fetch-opencc: npm pack opencc@$release failed (is the npm registry reachable?)" >&2
        exit 1
    }
    tar xzf "$out/opencc-$release.tgz" -C "$out"
fi
cmake -S "$here/bench/opencc" -B "$out/lib" -DOPENCC_SOURCE="$out/package" >/dev/null
cmake --build "$out/lib" -j "${JOBS:-3}" >/dev/null
