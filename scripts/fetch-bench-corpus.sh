#!/bin/sh
# Fetches the real-text corpus of the conversion benchmark: the Simplified and Traditional
# Chinese manual pages of Debian's manpages-zh, unpacked into <build folder>/bench-corpus and
# stripped of their roff markup to plain prose (zh_CN.txt, zh_TW.txt). Nothing is installed
# and nothing lands in the repository. Runs once; later calls find the texts in place.
# usage: fetch-bench-corpus.sh <build folder>
set -eu
build=${1:?usage: fetch-bench-corpus.sh <build folder>}
out="$build/bench-corpus"
[ -s "$out/zh_CN.txt" ] && [ -s "$out/zh_TW.txt" ] && exit 0
mkdir -p "$out"
tmp=$(mktemp -d "$out/fetch.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && apt-get download manpages-zh >/dev/null 2>&1) || {
    echo "fetch-bench-corpus: apt-get download manpages-zh failed (is the Debian archive reachable?)" >&2
    exit 1
}
dpkg -x "$tmp"/manpages-zh_*.deb "$tmp/root"
# roff to prose: comments and request lines without text go, the text of font and heading
# macros stays, inline escapes (fonts, sizes, special characters) go.
strip_roff() {
    perl -CSD -ne '
        next if /^[.\x27]\s*\\"/;
        if (s/^[.\x27]\s*(SH|SS|B|I|BI|BR|IB|IR|RB|RI|SM|SB)\b\s*//) { s/"//g; }
        elsif (/^[.\x27]/) { next; }
        s/\\f(\[[^\]]*\]|\(..|.)//g;
        s/\\s[-+]?\d//g;
        s/\\\*(\(..|\[[^\]]*\]|.)//g;
        s/\\\((..)/ /g;
        s/\\[-e]/-/g;
        s/\\[&\/,|^%c]//g;
        s/\\(.)/$1/g;
        next if /^\s*$/;
        print;'
}
for lang in zh_CN zh_TW; do
    find "$tmp/root/usr/share/man/$lang" -name "*.gz" -print0 | LC_ALL=C sort -z | xargs -0 zcat \
        | strip_roff > "$tmp/$lang.txt"
    mv "$tmp/$lang.txt" "$out/$lang.txt"
done
