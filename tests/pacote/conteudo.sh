#!/usr/bin/env bash
# The Debian package as built: its files (and nothing of the tests or of a
# user), its control fields, a desktop entry and AppStream metadata that the
# validators accept, a manual page that names every command of the help, and
# no lintian error.
#   conteudo.sh PACOTE.deb
set -euo pipefail
deb="$1"
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

[ -f "$deb" ] || { echo "FALHA: $deb não existe" >&2; exit 1; }
lista=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')

id=br.ind.quellora.Quellora
esperados=(
  /usr/bin/quellora /usr/bin/quellora-cli
  /usr/share/quellora/dados/{dadmod,denmod,dadmot,dadace,dadfat,premod,premot,dadefi}.dat
  /usr/share/quellora/dados/{AXI,BSD_BDD,GTD,PLR,RSD,SCD}.rtf
  /usr/share/applications/$id.desktop
  /usr/share/metainfo/$id.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/$id.svg
  /usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png
  /usr/share/man/man1/quellora-cli.1.gz /usr/share/man/man1/quellora.1.gz
  /usr/share/doc/quellora/copyright /usr/share/doc/quellora/changelog.gz /usr/share/doc/quellora/quellora.html
)
for f in "${esperados[@]}"; do
  grep -qxF "$f" <<<"$lista" || falha "falta $f"
done
# Nothing of the tests, benchmarks or build tools, nor a user's own files.
for proibido in quellora_tests quellora_gui_tests quellora_bench quellora_icones fuzz_ \
                clientes.dat orcnum.dat dadope.dat dadmai.dat preferencias.json projetos/; do
  if grep -q -- "$proibido" <<<"$lista"; then falha "o pacote contém $proibido"; fi
done
# Every file a Debian path.
fora=$(grep -v -E '^/(usr/((bin|share)(/.*)?)?)?$' <<<"$lista" || true)
[ -z "$fora" ] || falha "arquivos fora de /usr/bin e /usr/share: $(head -3 <<<"$fora")"

[ "$(dpkg-deb -f "$deb" Package)" = quellora ] || falha "Package"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || falha "Architecture"
depende=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 qt6-qpa-plugins libc6; do
  grep -q "$d" <<<"$depende" || falha "Depends sem $d: $depende"
done
case "$(basename "$deb")" in
  quellora_"$(dpkg-deb -f "$deb" Version)"_"$(dpkg-deb -f "$deb" Architecture)".deb) ;;
  *) falha "nome do arquivo: $(basename "$deb")" ;;
esac

raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
dpkg-deb -x "$deb" "$raiz"
desktop-file-validate "$raiz/usr/share/applications/$id.desktop" || falha "desktop-file-validate"
grep -qx "Exec=quellora" "$raiz/usr/share/applications/$id.desktop" || falha "Exec da entrada de menu"
grep -qx "Icon=$id" "$raiz/usr/share/applications/$id.desktop" || falha "Icon da entrada de menu"
appstreamcli validate --no-net "$raiz/usr/share/metainfo/$id.metainfo.xml" || falha "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$raiz/usr/share/metainfo/$id.metainfo.xml" ||
  falha "metainfo sem a entrada de menu"
for b in quellora quellora-cli; do
  file "$raiz/usr/bin/$b" | grep -q ', stripped' || falha "$b guarda os símbolos de depuração"
done

# The manual page follows the help: every command of the help is in it.
manual=$(zcat "$raiz/usr/share/man/man1/quellora-cli.1.gz")
grep -q '^\.SH NOME' <<<"$manual" || falha "manual sem NOME"
for c in $("$raiz/usr/bin/quellora-cli" --help | sed -n 's/^  quellora-cli \([a-z]\+\).*/\1/p' | sort -u); do
  grep -q "^\.B quellora\\\\-cli $c" <<<"$manual" || falha "o manual não traz o comando $c"
done

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || falha "lintian"
else
  falha "lintian não está instalado (scripts/setup.sh)"
fi

[ "$falhas" -eq 0 ] || exit 1
echo "pacote conferido: $(basename "$deb"), $(wc -l <<<"$lista") entradas"
