#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Installs only what is missing, so it is safe (and quick) to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6 qt6-translations-l10n
  breeze-icon-theme
  clang libclang-rt-14-dev
  python3 python3-fonttools
  culmus fonts-dejavu-core fonts-liberation
  hunspell-he
  hunspell hunspell-en-us hunspell-tools
  txt2pdbdoc
  poppler-utils
  libfribidi-dev
  xvfb openbox xdotool x11-xkb-utils xclip
  desktop-file-utils shared-mime-info
  xkb-data x11proto-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
