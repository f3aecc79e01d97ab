#!/usr/bin/env bash
# Fuzzes the form-layout reader with libFuzzer under AddressSanitizer and UBSan for a bounded time.
#   scripts/fuzz-reader.sh [seconds, default 600] [extra libFuzzer flags...]
# Works in build/fuzz; findings land there as crash-*/leak-*/timeout-* files. Copy a fixed one into
# tests/fuzz/regressions/ so the native replay test keeps it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
out=build/fuzz
mkdir -p "$out/corpus"

mapfile -t framework < <(sed -n 's|.*{CMAKE_CURRENT_LIST_DIR}/\(.*\.cpp\).*|ui/framework/\1|p' ui/framework/sources.cmake)
flags=(-std=c++20 -g -O1 -I. -fno-omit-frame-pointer)
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=undefined)

clang++ "${flags[@]}" "${sanitize[@]}" -fsanitize=fuzzer \
  tests/fuzz/form_reader_fuzz.cpp "${framework[@]}" ui/controls/wavctrl.cpp tests/fakes/sound_fake.cpp \
  -o "$out/form_reader_fuzz"
clang++ "${flags[@]}" tools/form2bin/main.cpp "${framework[@]}" -o "$out/form2bin"

for seed in tests/fuzz/seeds/*.txt; do
  "$out/form2bin" "$seed" "$out/corpus/$(basename "${seed%.txt}").bin"
done
find tests/fuzz/regressions -type f ! -name .keep -exec cp {} "$out/corpus/" \;

"$out/form_reader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict=tests/fuzz/form_reader.dict -artifact_prefix="$out/" -print_final_stats=1 "$@" "$out/corpus" \
  2>&1 | tee "$out/fuzz.log"
