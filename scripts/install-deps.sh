#!/usr/bin/env bash
# The one list of Debian packages the project needs: build, tests, benchmarks, the
# end-to-end runs under Xvfb and the input-method set-up of the README (im-config and
# the fcitx5 configuration tool, which are only recommends of fcitx5 and so not installed
# with it here), clang-format 14, which the `format` test runs, and what `make package` and
# the install test use (rsvg-convert for the icon, dpkg-shlibdeps, desktop-file-validate,
# appstreamcli). Installs only what is missing; needs root (or sudo).
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6dbus6 qt6-translations-l10n
    qt6-charts-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcanberra-dev sound-theme-freedesktop
    libxcb1-dev
    xvfb x11-utils x11-xkb-utils xdotool xclip dbus-daemon
    fcitx5 fcitx5-mozc fcitx5-frontend-qt6
    im-config fcitx5-config-qt
    fonts-ipafont-gothic imagemagick
    python3 python3-xlib
    clang libclang-rt-14-dev llvm clang-format
    librsvg2-bin dpkg-dev desktop-file-utils appstream
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Root rights are needed to install: ${missing[*]}" >&2; exit 1; }
    SUDO=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
