#!/usr/bin/env bash
# The package installed in a throwaway root, run by a user whose HOME is a
# temporary folder: the folders it uses, a selection on the shipped
# catalogue, the user's files written under HOME, a shared projects folder,
# the program started once; nothing written outside HOME.
#   instalado.sh PACOTE.deb
set -euo pipefail
deb="$1"
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
raiz="$tmp/raiz"
casa="$tmp/casa"
trabalho="$tmp/trabalho"
mkdir -p "$raiz" "$casa" "$trabalho"
dpkg -x "$deb" "$raiz"
cli="$raiz/usr/bin/quellora-cli"

# Everything the run could touch outside HOME, before and after.
retrato() { (cd "$tmp" && find raiz trabalho -printf '%p %s %T@ %m\n' | sort); }
antes=$(retrato)

roda() { (cd "$trabalho" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$casa" "$@"); }
campo() { python3 -c 'import json,sys; print(json.load(sys.stdin)[sys.argv[1]])' "$1"; }

dados=$(roda "$cli" dados --json)
[ "$(campo Modo <<<"$dados")" = instalado ] || falha "modo: $dados"
[ "$(campo Dados <<<"$dados")" = "$casa/.local/share/quellora/" ] || falha "dados: $dados"
[ "$(campo Catalogo <<<"$dados")" = "$raiz/usr/share/quellora/dados/" ] || falha "catálogo: $dados"
[ "$(campo Projetos <<<"$dados")" = "$casa/Documentos/Quellora/projetos/" ] || falha "projetos: $dados"

selecao=$(roda "$cli" selecao --linha BSD --vazao 10000 --pressao 50 --json) || falha "selecao"
grep -q '"Linha": *"BSD"' <<<"$selecao" || falha "selecao sem a linha BSD: ${selecao:0:200}"
grep -q '"NumQualificados": *[1-9]' <<<"$selecao" || falha "selecao sem tamanhos: ${selecao:0:200}"

# The user's own files go to the user's data folder.
roda "$cli" preferencias define --horas 6000 >/dev/null || falha "preferencias define"
[ -f "$casa/.local/share/quellora/preferencias.json" ] || falha "preferencias.json fora da pasta do usuário"
[ "$(roda "$cli" orcamento numera 1)" = 1 ] || falha "orcamento numera"
[ -f "$casa/.local/share/quellora/orcnum.dat" ] || falha "orcnum.dat fora da pasta do usuário"
roda "$cli" email configura --email eu@empresa.com.br --smtp smtp.empresa.com.br || falha "email configura"
[ -f "$casa/.local/share/quellora/dadmai.dat" ] || falha "dadmai.dat fora da pasta do usuário"

# A shared projects folder, and back to the default.
mkdir -p "$casa/rede"
roda "$cli" preferencias define --pasta-projetos "$casa/rede" >/dev/null || falha "--pasta-projetos"
[ "$(roda "$cli" dados --json | campo Projetos)" = "$casa/rede/" ] || falha "pasta de projetos da preferência"
roda "$cli" preferencias define --pasta-projetos "$casa/falta" 2>/dev/null && falha "pasta inexistente aceita"
roda "$cli" preferencias define --pasta-projetos "" >/dev/null || falha "--pasta-projetos vazio"
[ "$(roda "$cli" dados --json | campo Projetos)" = "$casa/Documentos/Quellora/projetos/" ] ||
  falha "pasta de projetos padrão"

# The program starts, creates its folders and stays up until stopped.
(cd "$trabalho" && exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen \
   "$raiz/usr/bin/quellora" >"$tmp/quellora.log" 2>&1) &
programa=$!
for _ in $(seq 60); do
  [ -d "$casa/Documentos/Quellora/projetos" ] && break
  sleep 0.5
done
sleep 1
if kill "$programa" 2>/dev/null; then
  wait "$programa" || true
  [ -d "$casa/Documentos/Quellora/projetos" ] || falha "a pasta de projetos não foi criada"
else
  rc=0
  wait "$programa" || rc=$?
  falha "quellora terminou sozinho, com $rc: $(head -5 "$tmp/quellora.log")"
fi

# Run by root the program's folder can be written; for an ordinary user it can't.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  outra="$tmp/outra"
  mkdir "$outra"
  chown nobody "$outra"
  chmod 755 "$tmp"
  comum=$(cd "$outra" && runuser -u nobody -- env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$outra" \
          "$cli" selecao --linha BSD --vazao 10000 --pressao 50 --json) || falha "selecao de um usuário comum"
  grep -q '"NumQualificados": *[1-9]' <<<"$comum" || falha "selecao de um usuário comum sem tamanhos"
  [ "$(cd "$outra" && runuser -u nobody -- env -u XDG_DATA_HOME HOME="$outra" "$cli" dados --json | campo Dados)" = \
    "$outra/.local/share/quellora/" ] || falha "a pasta de dados de um usuário comum"
fi

[ "$(retrato)" = "$antes" ] || falha "algo foi gravado fora de HOME: $(diff <(echo "$antes") <(retrato) | head -5)"

[ "$falhas" -eq 0 ] || exit 1
echo "pacote instalado conferido em $raiz"
