#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Quillon Pro. Idempotent and quiet when all
# are present already.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libqscintilla2-qt6-dev qt6-webengine-dev libgl-dev
  libgtest-dev libgmock-dev libssh2-1-dev libssl-dev libsecret-1-dev libpcre2-dev libgumbo-dev libuchardet-dev
  python3 python3-pyftpdlib python3-openssl openssl vsftpd openssh-server openssh-client gnome-keyring dbus-daemon dbus-bin curl wamerican wamerican-small poppler-utils adwaita-icon-theme libqt6svg6 qt6-svg-dev desktop-file-utils
  xvfb xauth at-spi2-core python3-gi gir1.2-atspi-2.0 python3-pyatspi libxtst6
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
