#!/usr/bin/env bash
# Installs the Debian packages the program needs. Does nothing when everything is there.
#   scripts/install-deps.sh          what building and running the program need
#   scripts/install-deps.sh --test   that, and what the tests, the sanitizer build and the
#                                    benchmarks need
set -euo pipefail

# Building and running. The office's variants without a user interface lack the word
# processor's comment windows: an office driven over its connection ends on loading a
# document with a comment, so the full variants are installed (they replace those).
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  unixodbc unixodbc-dev tdsodbc mdbtools-dev
  qtkeychain-qt6-dev libuchardet-dev
  libgl1-mesa-dev libxkbcommon-dev fonts-noto-cjk
  libreoffice-writer libreoffice-calc libreoffice-impress
  libreoffice-dev libreoffice-dev-common
)

# The tests: a private PostgreSQL server, a display server, the sanitizer tool chain, the
# Access command-line tools the tests compare with, the benchmarks and the library they
# are compared with.
test_packages=(
  postgresql-15 libpq-dev util-linux
  xvfb xauth
  clang libclang-rt-14-dev
  mdbtools
  libbenchmark-dev linux-perf
  libmarisa-dev rapidjson-dev
)

case "${1:-}" in
  --test) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# As root apt-get runs directly (a bare system has no sudo); otherwise through sudo.
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps.sh: these packages are missing: ${missing[*]}" >&2
    echo "install-deps.sh: installing them needs root, and sudo is not installed." >&2
    echo "Run this script as root, or as root first: apt-get install -y sudo" >&2
    exit 1
  fi
  SUDO="sudo"
fi
# The office's variants without a user interface conflict with the full ones: removed in the
# same step.
for p in libreoffice-core-nogui libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui \
         libreoffice-draw-nogui libreoffice-base-nogui; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p-")
  fi
done
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
# Through env, so that the setting survives sudo's cleaned environment.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
