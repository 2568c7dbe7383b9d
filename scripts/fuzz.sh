#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer + ASan + UBSan) in build-fuzz/
# and runs each one in turn for a bounded time.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Defaults: 300 seconds, every target (each fuzz/fuzz_*.cpp). One fuzzer
# process at a time. The working corpus grows in build-fuzz/corpus/
# (seeded from fuzz/corpus/); crashes land in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
SEGUNDOS="${1:-300}"
shift || true
ALVOS=("$@")
if [ ${#ALVOS[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do ALVOS+=("$(basename "$f" .cpp)"); done
fi
BUILD_DIR="${FUZZ_BUILD_DIR:-build-fuzz}"

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUELLORA_FUZZ=ON -DQUELLORA_TESTS=OFF -DQUELLORA_BENCH=OFF
fi
cmake --build "$BUILD_DIR" --target "${ALVOS[@]}" -j1

mkdir -p "$BUILD_DIR/crashes"
for alvo in "${ALVOS[@]}"; do
  semente="fuzz/corpus/${alvo#fuzz_}"
  corpus="$BUILD_DIR/corpus/${alvo#fuzz_}"
  mkdir -p "$corpus"
  echo "== $alvo: $SEGUNDOS s"
  "$BUILD_DIR/$alvo" "$corpus" "$semente" \
    -max_total_time="$SEGUNDOS" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$BUILD_DIR/crashes/$alvo-" -print_final_stats=1
done
