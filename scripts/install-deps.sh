#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Orrin
# need, when any is missing. Needs root (or sudo).
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxcb1-dev libxtst-dev
                libwayland-dev libwayland-bin fp-utils-3.2.2)
# dpkg-dev and file: cpack -G DEB after the run command fills the package's
# Depends line through dpkg-shlibdeps, which leaves it empty without them.
run_packages=(fonts-ipafont-gothic xchm qt6-translations-l10n dpkg-dev file)
test_packages=(clang clang-format-14 libclang-rt-14-dev xvfb openbox trayer xdotool xclip x11-utils libx11-6 imagemagick
               python3 lintian desktop-file-utils appstream
               sway xwayland wl-clipboard wev qt6-wayland python3-dbusmock dbus-daemon dbus-bin
               libglib2.0-bin kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde fuse3
               lxqt-panel
               g++-mingw-w64-x86-64-posix wine wine64 googletest nsis)

case "${1:-all}" in
    run) wanted=("${build_packages[@]}" "${run_packages[@]}") ;;
    test | all) wanted=("${build_packages[@]}" "${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|test|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed' \
        || missing+=("$package")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
