#!/usr/bin/env bash
# Installs what building and testing Morvex needs on Debian 12 (bookworm) or
# Debian 13 (trixie), where missing; the release is read from /etc/os-release.
# On any other system it installs nothing and says what it needs.
set -euo pipefail

release="" system="a system without /etc/os-release"
if [ -r /etc/os-release ]; then
  # shellcheck disable=SC1091
  release=$(. /etc/os-release && echo "${ID:-}-${VERSION_ID:-}")
  system=$(. /etc/os-release && echo "${PRETTY_NAME:-${ID:-unknown} ${VERSION_ID:-}}")
fi
# clang's sanitizer and libFuzzer runtime comes with its own version number.
# Both releases build the 32-bit program; Debian 12 also runs its suites, on
# Wine's 32-bit side (wine32 of the i386 architecture), Debian 13 runs only
# the 64-bit program's.
case $release in
  debian-12) clang_rt=libclang-rt-14-dev wine32=(wine32:i386) ;;
  debian-13) clang_rt=libclang-rt-19-dev wine32=() ;;
  *)
    echo "tools/deps.sh: Morvex is built and tested on Debian 12 (bookworm) or Debian 13 (trixie);" >&2
    echo "this is ${system}. Nothing was installed. On another system install by hand: CMake, g++," >&2
    echo "GoogleTest, Google Benchmark, clang with its sanitizer runtime, MinGW-w64 (x86_64 and i686, posix" >&2
    echo "threads), Wine (64-bit and 32-bit), Wine's fonts, Xvfb, xdpyinfo, ImageMagick, Python 3, git," >&2
    echo "OpenSSL and osslsigncode." >&2
    exit 1
    ;;
esac

# fonts-wine: Wine's own faces (Tahoma, MS Sans Serif and others). Debian 12's
# Wine 8 does not load them into a prefix, so DejaVu Sans stands in for
# MS Sans Serif there; Debian 13's Wine 10 uses them. The program fits its
# captions to whichever face it gets.
# osslsigncode signs the release (tools/sign.sh); its test makes a throwaway
# certificate with openssl.
packages=(cmake make g++ python3 git googletest libgtest-dev libbenchmark-dev clang "$clang_rt"
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 "${wine32[@]}" fonts-wine xvfb x11-utils
          imagemagick openssl osslsigncode)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing (${release}): ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if [ ${#wine32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync fails one index or another: the lists
  # that did come (or the ones from before) are used.
  $sudo apt-get update -qq || echo "tools/deps.sh: apt-get update failed in part; going on with the package lists at hand" >&2
  # Wine's 32-bit side only serves the 32-bit program's suites, which
  # tools/test skips (and says so) where it is missing: an i386 list that
  # does not match the 64-bit one must not stop everything else.
  required=() optional=()
  for p in "${missing[@]}"; do
    if [ "$p" = wine32:i386 ]; then optional+=("$p"); else required+=("$p"); fi
  done
  apt_install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
  if [ ${#required[@]} -gt 0 ]; then apt_install "${required[@]}"; fi
  if [ ${#optional[@]} -gt 0 ] && ! apt_install "${optional[@]}"; then
    echo "tools/deps.sh: ${optional[*]} could not be installed now; the 32-bit program's suites will not run" >&2
  fi
fi
