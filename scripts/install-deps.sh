#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# only those that are missing. Non-interactive; safe to run every time.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev libicu-dev
  libglib2.0-dev libjpeg62-turbo-dev libpng-dev zlib1g-dev libgif-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core shared-mime-info adwaita-icon-theme hicolor-icon-theme
  xvfb xauth libjpeg-turbo-progs
  librsvg2-bin desktop-file-utils appstream dpkg-dev
  fp-utils libchm-bin
  lintian man-db locales qt6-translations-l10n
  e2fsprogs mount acl
  gvfs gvfs-daemons gvfs-backends dbus-daemon openssh-server openssh-client
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
if ! "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
