#!/usr/bin/env bash
# Time of "quellora-cli selecao --lote" with a schedule of 10 000 duties
# (1 500 to 90 000 m³/h, 15 to 250 mmCA, 15 to 60 °C, 0 to 1 500 m) over
# every line of the sample catalogue, text output, whole process: the
# median and the best of 7 runs, wall clock and CPU.
#
#   scripts/mede_lote.sh [BUILD]      (BUILD: the build folder, default build)
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$RAIZ/build}" && pwd)"
RODADAS="${RODADAS:-7}"
CLI="$BUILD/quellora-cli"
[ -x "$CLI" ] || { echo "Falta $CLI (compile antes)." >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

awk 'BEGIN {
  print "tag;qtd;descricao;vazao;pressao;temperatura;altitude"
  n = 10000
  for (k = 0; k < n; k++) {
    f = k / (n - 1)
    printf "V-%05d;%d;ponto %d;%.1f;%.1f;%.0f;%.0f\r\n", k + 1, 1 + k % 4, k, 1500 * exp(log(60) * f),
           15 + 235 * ((f * 7.3) - int(f * 7.3)), 15 + 45 * ((f * 3.1) - int(f * 3.1)), 1500 * ((f * 5.7) - int(f * 5.7))
  }
}' > "$TMP/lote.csv"

"$CLI" selecao --lote "$TMP/lote.csv" --todas --dados "$BUILD/dados" > "$TMP/saida.txt" 2> /dev/null || true
echo "$(($(wc -l < "$TMP/saida.txt") - 2)) linhas de resultado"
for k in $(seq 1 "$RODADAS"); do
  /usr/bin/time -f "%e %U %S" -o "$TMP/tempo" "$CLI" selecao --lote "$TMP/lote.csv" --todas --dados "$BUILD/dados" \
    > /dev/null 2>&1 || true
  cat "$TMP/tempo"
done > "$TMP/tempos"
mediana() { sort -n | awk '{ v[NR] = $1 } END { printf "mediana %.3f s, melhor %.3f s", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1] }'; }
echo "tempo total (relógio): $(awk '{ print $1 }' "$TMP/tempos" | mediana); CPU: $(awk '{ print $2 + $3 }' "$TMP/tempos" | mediana) ($RODADAS rodadas)"
