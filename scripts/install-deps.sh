#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
  libqt6sql6-psql libqt6sql6-odbc unixodbc unixodbc-dev tdsodbc mdbtools mdbtools-dev
  postgresql-15 qtkeychain-qt6-dev libpq-dev util-linux
  libgl1-mesa-dev libxkbcommon-dev
  xvfb xauth fonts-noto-cjk
  libbenchmark-dev linux-perf
  libmarisa-dev rapidjson-dev
  libuchardet-dev qt6-translations-l10n
  libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui
  libreoffice-dev libreoffice-dev-common
  clang libclang-rt-14-dev
)

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
    echo "Run this script as root, or as root first: apt-get install sudo" >&2
    exit 1
  fi
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
# Through env, so that the setting survives sudo's cleaned environment.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
