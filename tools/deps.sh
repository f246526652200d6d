#!/usr/bin/env bash
# Installs what building and testing Morvex needs on Debian 12, where missing.
set -euo pipefail
# fonts-wine: Wine's own faces (Tahoma, MS Sans Serif and others). Debian 12's
# Wine 8 does not load them into a prefix, so DejaVu Sans stands in for
# MS Sans Serif there; the program fits its captions to whichever face it gets.
packages=(cmake make g++ python3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
          g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
