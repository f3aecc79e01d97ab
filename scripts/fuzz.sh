#!/usr/bin/env bash
# Fuzzes the portable readers with libFuzzer under AddressSanitizer and UBSan, one target after the
# other, each for a bounded time.
#   scripts/fuzz.sh [target|all, default all] [seconds per target, default 600] [libFuzzer flags...]
# Targets:
#   form_reader     the form-layout reader
#   start_argument  the first command-line argument, split, trimmed and upper-cased
#   version_text    the installed version's text converted to a number
#   suite_path      the registered path cut down to the suite path
#   rle8            the run-length encoded bitmap bodies of the skin
#   bitmap          the bitmap reader: a BMP file as a bitmap reads it from a stream
#   design_pack     the packed designs a program embeds: unpacking any bytes, packing round trips
# Each target works in build/fuzz/<target>/: its corpus, fuzz.log, and its findings as crash-*,
# leak-*, timeout-* and oom-* files. The script exits non-zero when any target made a finding. Once
# fixed, a finding goes into tests/fuzz/regressions/<target>/, where <target>_replay_test replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(form_reader start_argument version_text suite_path rle8 bitmap design_pack)
which=${1:-all}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
case $which in
  all) targets=("${all_targets[@]}") ;;
  form_reader | start_argument | version_text | suite_path | rle8 | bitmap | design_pack) targets=("$which") ;;
  *) echo "unknown target '$which'; one of: ${all_targets[*]} all" >&2; exit 2 ;;
esac
[[ $seconds =~ ^[0-9]+$ ]] || { echo "seconds must be a whole number, not '$seconds'" >&2; exit 2; }

# The fuzz preset builds the targets with clang, libFuzzer, AddressSanitizer and UBSan, and form2bin
# for the form reader's seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target form2bin "${targets[@]/%/_fuzz}"
bin=build/fuzz/bin

# Seeds and past findings join the corpus that earlier runs left.
seed() {
  local target=$1 dir=build/fuzz/$1 file
  mkdir -p "$dir/corpus"
  if [ "$target" = form_reader ]; then
    for file in tests/fuzz/seeds/form_reader/*; do
      "$bin/form2bin" "$file" "$dir/corpus/$(basename "${file%.*}").bin"
    done
  else
    cp tests/fuzz/seeds/"$target"/* "$dir/corpus/"
  fi
  if [ -d "tests/fuzz/regressions/$target" ]; then
    cp tests/fuzz/regressions/"$target"/* "$dir/corpus/"
  fi
}

findings_since() {
  find "$1" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
    -newer "$1/.started" | sort
}

# One line of figures from a run's log: the final statistics and the last coverage report.
summary_of() {
  local target=$1 dir=build/fuzz/$1
  awk -v target="$target" -v took="${took[$target]}s" -v found="$(findings_since "$dir" | wc -l)" '
    /^stat::number_of_executed_units:/ { runs = $2 }
    /^stat::average_exec_per_sec:/ { rate = $2 }
    /^stat::new_units_added:/ { added = $2 }
    / cov: [0-9]/ { for (i = 1; i < NF; i++) {
        if ($i == "cov:") cov = $(i + 1); if ($i == "ft:") ft = $(i + 1); if ($i == "corp:") corp = $(i + 1) } }
    END { printf "%-15s %12s %10s %8s %6s %7s %6s %12s %8s\n", target, runs != "" ? runs : "-", rate != "" ? rate : "-",
          took, cov != "" ? cov : "-", ft != "" ? ft : "-", added != "" ? added : "-", corp != "" ? corp : "-", found }' "$dir/fuzz.log"
}

status=0
declare -A took
for target in "${targets[@]}"; do
  seed "$target"
  dir=build/fuzz/$target
  dict=()
  [ ! -f "tests/fuzz/$target.dict" ] || dict=(-dict="tests/fuzz/$target.dict")
  touch "$dir/.started"
  started=$(date +%s)
  echo "== fuzzing $target for ${seconds}s"
  set +e
  "$bin/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "${dict[@]}" \
    -artifact_prefix="$dir/" -print_final_stats=1 "$@" "$dir/corpus" 2>&1 | tee "$dir/fuzz.log"
  result=${PIPESTATUS[0]}
  set -e
  took[$target]=$(($(date +%s) - started))
  if [ "$result" -ne 0 ] || [ -n "$(findings_since "$dir")" ]; then
    status=1
  fi
done

echo
printf '%-15s %12s %10s %8s %6s %7s %6s %12s %8s\n' target executions exec/s took cov ft new corpus findings
for target in "${targets[@]}"; do
  summary_of "$target"
done
for target in "${targets[@]}"; do
  findings_since "build/fuzz/$target" | sed 's/^/finding: /'
done
exit $status
