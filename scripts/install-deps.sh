#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvane needs to build, run and test.
# Only what is missing is installed; apt-get update runs once, and only when needed.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  # Qt 6
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-multimedia-dev qt6-charts-dev libqt6svg6 qt6-qpa-plugins
  qml6-module-qtqml qml6-module-qtqml-workerscript qml6-module-qtqml-models
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtquick-dialogs
  qml6-module-qtquick-shapes qml6-module-qtcore
  qml6-module-qtcharts qml6-module-qtmultimedia
  qml6-module-qt-labs-platform qml6-module-qttest
  # X11 input
  libxcb1-dev libxcb-xinput-dev libxcb-keysyms1-dev libxcb-screensaver0-dev libxcb-xtest0-dev libxcb-xkb-dev
  # media
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
  gstreamer1.0-tools libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  # fonts
  fonts-noto-cjk fonts-material-design-icons-iconfont fonts-dejavu-extra
  # tests
  xvfb xauth xdotool trayer x11-utils locales python3 dbus-x11 dbus-daemon openbox
  # the installed desktop entry and metadata are validated
  desktop-file-utils appstream
  # bench/footprint drives its X server through XTEST
  python3-xlib
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=()
if ((EUID != 0)); then
  SUDO=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
