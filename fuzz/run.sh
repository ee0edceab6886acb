#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for a while:
#   bash fuzz/run.sh [SECONDS] [TARGET...]     (20 seconds each, every target, by default)
# Each target starts from its seed corpus in fuzz/corpus/TARGET; what it learns goes to
# build-fuzz/corpus/TARGET (kept between runs), a crashing input to build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_text_import fuzz_conf_txt fuzz_sql_quoting fuzz_label_fill)

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"

scratch="$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/etiquetas-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export ETIQUETAS_FUZZ_SCRATCH="$scratch"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt and SQLite are not built with the sanitizer: their own allocations are not leaks of ours.
export ASAN_OPTIONS=detect_leaks=0

mkdir -p build-fuzz/findings
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "== $t: ${seconds} s"
  status=0
  "build-fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1 ||
    status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done [0-9]+ runs|FINDING|SUMMARY|==[0-9]+==ERROR)' \
    "build-fuzz/$t.log" || true
  [ "$status" -eq 0 ] || { echo "$t: a finding (log build-fuzz/$t.log, input in build-fuzz/findings/)"; exit 1; }
done
