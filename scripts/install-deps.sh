#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not yet installed.
#   scripts/install-deps.sh run    packages to build and run the demo
#   scripts/install-deps.sh test   the same, plus what the tests need
#   scripts/install-deps.sh package  the same as run, plus what building the .deb needs
#   scripts/install-deps.sh reliability  the same as run, plus clang with its
#                                  libFuzzer and sanitizer runtimes, and valgrind
# As root it runs apt-get; otherwise it prints the one apt-get line to run.
set -euo pipefail

build_packages=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev
  libx11-dev libpng-dev libtinyobjloader-dev libgl1-mesa-dri)
# CPack's .deb generator runs dpkg-shlibdeps (dpkg-dev) and file.
package_packages=(dpkg-dev file)
reliability_packages=(clang libclang-rt-14-dev valgrind)
test_packages=("${reliability_packages[@]}" libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick
  "${package_packages[@]}" man-db desktop-file-utils)

case "${1:-run}" in
  run) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
  reliability) wanted=("${build_packages[@]}" "${reliability_packages[@]}") ;;
  *) echo "usage: $0 run|test|package|reliability" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "Some packages this project needs are missing. Install them with:" >&2
  echo "    sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
