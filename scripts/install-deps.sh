#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build
  ccache               # compiler cache: unchanged sources are not compiled again
  lld                  # links the sanitized test programs faster
  nlohmann-json3-dev   # scene documents and other JSON input
  libcli11-dev         # the command line
  libtinygltf-dev      # glTF scenes
  libstb-dev           # image decoding
  libgtest-dev libgmock-dev  # tests
  libbenchmark-dev     # benchmarks
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
