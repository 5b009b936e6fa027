#!/usr/bin/env bash
# Installs the Debian 12 packages TELVANE needs, only those still missing.
#   tools/install-deps.sh          build and run (compiler, CMake, Qt)
#   tools/install-deps.sh --test   also what the tests need (GoogleTest,
#                                  clang for the fuzzers, astropy for the peer check)
set -euo pipefail

# The layouts' Japanese faces: IPA Gothic (same metrics), Noto as fallback.
# dpkg-dev gives CPack's package builder dpkg-shlibdeps.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-noto-cjk dpkg-dev)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(clang libclang-rt-14-dev python3-astropy python3-numpy)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
