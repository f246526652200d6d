#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on
# its seed corpus (kept in the repo; new inputs go to a scratch copy).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out"
for target in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$target" .cpp)
  corpus=tests/fuzz/corpus/${name%_fuzz}
  case $name in
    killlist_fuzz) sources="src/processes/killlist_format.cpp" ;;
    profile_fuzz) sources="src/standins/private_profile.cpp" ;;
    *) sources="" ;;
  esac
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
    "$target" $sources -o "$out/$name"
  rm -rf "$out/$name.corpus" && mkdir -p "$out/$name.corpus"
  [ -d "$corpus" ] && cp -r "$corpus"/. "$out/$name.corpus/"
  echo "fuzzing $name for ${seconds}s"
  "$out/$name" -max_total_time="$seconds" -print_final_stats=1 "$out/$name.corpus" 2>"$out/$name.log" \
    || { tail -40 "$out/$name.log"; exit 1; }
  grep -E "stat::number_of_executed_units" "$out/$name.log" || true
done
