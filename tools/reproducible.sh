#!/usr/bin/env bash
# Builds the release packages (the 64-bit and the 32-bit zip) twice from
# scratch and fails unless both builds give the same morvex.exe of each
# target and the same zips, byte for byte. The two builds
# share nothing: the first builds this checkout in build/repro/a, the second a
# copy of its files in build/repro/elsewhere/morvex, so both the source and
# the build folder differ in path (and length) between them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=build/repro
rm -rf "$work"
mkdir -p "$work/elsewhere/morvex"
git ls-files -z --cached --others --exclude-standard \
  | tar --null --files-from=- --create --file=- | tar --extract --directory="$work/elsewhere/morvex"

build() {  # SOURCE_DIR BUILD_DIR: the documented release command, in BUILD_DIR
  mkdir -p "$2"
  (cd "$1" && cmake --preset release -B "$2" >"$2/configure.log" 2>&1) \
    || { cat "$2/configure.log"; exit 1; }
  cmake --build "$2" -j2 --target morvex_win64 morvex_win32 >"$2/build.log" 2>&1 \
    || { tail -40 "$2/build.log"; exit 1; }
}
a=$root/$work/a
b=$root/$work/elsewhere/morvex/build/other
build "$root" "$a"
build "$root/$work/elsewhere/morvex" "$b"

status=0
for target in windows:win64 windows32:win32; do
  folder=${target%:*}
  zip=$(cd "$a/$folder" && ls morvex-*-"${target#*:}".zip)
  for file in morvex.exe "$zip" "$zip.sha256"; do
    if cmp "$a/$folder/$file" "$b/$folder/$file"; then
      echo "same: $folder/$file  $(sha256sum <"$a/$folder/$file" | cut -d' ' -f1)"
    else
      echo "DIFFERENT: $folder/$file"
      status=1
    fi
  done
  (cd "$a/$folder" && sha256sum --check --quiet "$zip.sha256") || status=1
  # Neither folder's path may end up in the program.
  for dir in "$root" "$a" "$b"; do
    if grep -q --fixed-strings "$dir" "$a/$folder/morvex.exe"; then
      echo "$folder/morvex.exe holds the path $dir"
      status=1
    fi
  done
done
exit $status
