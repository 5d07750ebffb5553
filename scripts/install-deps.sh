#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing. With the argument
# "windows" also what the Windows cross build and its tests need. Usage: scripts/install-deps.sh
# [windows]
set -euo pipefail

# locales-all lets the tests prove that a decimal-comma locale changes no value text.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev locales-all)
# The window: Qt Widgets and PrintSupport (in qt6-base-dev), the X11 and offscreen platforms (the GUI tests run offscreen), Qt's
# own Russian texts for the standard buttons and file dialogs, the SVG icon plugins, a font
# with Cyrillic letters, and xdg-open to show the help in the desktop's viewer.
packages+=(qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libqt6svg6 fonts-dejavu-core
  xdg-utils)
# The tests read the printed listing's PDF back as text.
packages+=(poppler-utils)
# The accessibility tree test: the window under Xvfb on its own D-Bus session, read through
# AT-SPI by the system's Python.
packages+=(xvfb xauth dbus dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi)
# The Debian package: dpkg-shlibdeps computes its dependencies, lintian checks it, man renders
# its man pages, appstreamcli validates its AppStream data, bash-completion drives its completion.
packages+=(dpkg-dev lintian man-db appstream bash-completion)
# A network serial server to exchange through: the tests run their own in the foreground.
packages+=(ser2net)
# The Windows build: MinGW-w64 with posix threads (std::thread), Wine to run its tests, and NSIS's
# makensis, with which CPack makes the installer.
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 nsis)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
