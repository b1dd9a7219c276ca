#!/usr/bin/env bash
# Installs what the build, the packages and the test suites need on a
# Debian 12 machine: the compilers, the mingw-w64 cross compilers, Wine with
# its own fonts, Xvfb, GoogleTest, NSIS and zip, and the tools the tests
# use. Runs as root, or through sudo otherwise; does nothing when everything
# is there. `install-deps.sh fuzz` also installs clang with its libFuzzer
# runtime.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

packages=(
  cmake make g++ python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick file binutils
  espeak-ng nsis zip unzip
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi
if kernel_runs_32bit; then
  # 32-bit Windows programs need Wine's 32-bit half, which only runs where
  # the kernel can execute 32-bit x86 code.
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
