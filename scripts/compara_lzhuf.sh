#!/usr/bin/env bash
# Speed of the client file's coder against the classic public LZHUF.C
# coder, on the same client-like payloads of 1.6 and 16 MB (10 000 and
# 100 000 clients, written out by the benchmark), both compiled with the
# project's flags (-O2 -g -DNDEBUG). The reference's source is not part of
# this project: give its path; it is built in a temporary folder. Checks
# that the coded bytes are the same (the reference's file starts with its
# own size field, sizeof(unsigned long) bytes; ours with the 12-byte
# container header) and prints MB/s both ways for each and the ratios.
#
#   scripts/compara_lzhuf.sh CAMINHO/LZHUF.C [BUILD]
set -euo pipefail

REF="${1:?uso: scripts/compara_lzhuf.sh CAMINHO/LZHUF.C [BUILD]}"
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${2:-$RAIZ/build}" && pwd)"
[ -x "$BUILD/quellora_bench" ] || { echo "Falta $BUILD/quellora_bench (compile antes)." >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

gcc -O2 -g -DNDEBUG -w -o "$TMP/lzhuf" "$REF"

# Our side: the benchmark, which also writes the payloads.
QUELLORA_BENCH_PAYLOADS="$TMP" "$BUILD/quellora_bench" --benchmark_filter='BM_(Compacta|Descompacta)/' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2> /dev/null |
  awk '/_median / { nome = $1; sub(/_median/, "", nome)
    for (i = 2; i <= NF; i++) if ($i ~ /^bytes_per_second=/) {
      v = $i; sub(/bytes_per_second=/, "", v); u = substr(v, length(v) - 2, 1); v = v + 0
      f = (u == "G") ? 1024 * 1024 * 1024 : (u == "M") ? 1024 * 1024 : (u == "k") ? 1024 : 1
      printf "%s %.3f\n", nome, v * f / 1e6 } }' > "$TMP/nossos"

# CPU seconds (user + system) of the best of 5 runs of a command.
melhor() {
  local m=""
  for k in 1 2 3 4 5; do
    /usr/bin/time -f "%U %S" -o "$TMP/t" "$@" > /dev/null
    local t; t=$(awk '{ print $1 + $2 }' "$TMP/t")
    m=$(awk -v a="$t" -v b="${m:-$t}" 'BEGIN { print (a < b) ? a : b }')
  done
  echo "$m"
}

for n in 10000 100000; do
  p="$TMP/clientes$n.tpf"
  tam=$(stat -c %s "$p")
  # Small payloads run too briefly for the clock: several in a row.
  vezes=$(( n == 10000 ? 10 : 1 ))
  printf 'for i in $(seq %d); do "%s" e "%s" "%s"; done\n' "$vezes" "$TMP/lzhuf" "$p" "$TMP/r.lzh" > "$TMP/e.sh"
  printf 'for i in $(seq %d); do "%s" d "%s" "%s"; done\n' "$vezes" "$TMP/lzhuf" "$TMP/r.lzh" "$TMP/r.out" > "$TMP/d.sh"
  te=$(melhor bash "$TMP/e.sh")
  td=$(melhor bash "$TMP/d.sh")
  cmp -s "$TMP/r.out" "$p" || { echo "a referência não devolveu a carga de $n clientes" >&2; exit 1; }
  "$BUILD/quellora-cli" container compacta "$p" "$TMP/n.lhc"
  tamLong=$(( $(getconf LONG_BIT) / 8 ))
  if cmp -s <(tail -c +13 "$TMP/n.lhc") <(tail -c +$((tamLong + 1)) "$TMP/r.lzh"); then iguais=sim; else iguais=NÃO; fi
  ref_c=$(awk -v t="$tam" -v s="$te" -v v="$vezes" 'BEGIN { printf "%.2f", t * v / s / 1e6 }')
  ref_d=$(awk -v t="$tam" -v s="$td" -v v="$vezes" 'BEGIN { printf "%.2f", t * v / s / 1e6 }')
  nos_c=$(awk -v k="BM_Compacta/$n" '$1 == k { print $2 }' "$TMP/nossos")
  nos_d=$(awk -v k="BM_Descompacta/$n" '$1 == k { print $2 }' "$TMP/nossos")
  awk -v n="$n" -v t="$tam" -v rc="$ref_c" -v rd="$ref_d" -v nc="$nos_c" -v nd="$nos_d" -v i="$iguais" 'BEGIN {
    printf "%d clientes (%.1f MB): compactação %.2f MB/s (LZHUF.C %.2f, %.2fx); descompactação %.2f MB/s (LZHUF.C %.2f, %.2fx); bytes codificados iguais: %s\n",
      n, t / 1e6, nc, rc, nc / rc, nd, rd, nd / rd, i }'
done
