#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into $BUILD_DIR (default: build). Extra arguments go
# to CMake's configure step; $EXTRA_PACKAGES adds packages, $BUILD_TARGET
# builds one target only.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build binutils mingw-w64-tools pkgconf abigail-tools
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libqt6opengl6-dev libgl-dev
    qt6-declarative-dev qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript
    libglib2.0-dev libxcb1-dev libx11-dev libgtk-3-dev libgtk-4-dev libsdl2-dev weston
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth x11-utils x11-apps xdotool xclip desktop-file-utils appstream appstream-compose
    at-spi2-core dbus-daemon python3-gi gir1.2-atspi-2.0 orca python3-tk
    cups printer-driver-cups-pdf poppler-utils
)
# More for particular builds (scripts/fuzz.sh: clang).
packages+=(${EXTRA_PACKAGES:-})
scripts/install-packages.sh "${packages[@]}"

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$build" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
