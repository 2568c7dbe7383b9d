#!/usr/bin/env python3
"""Writes the manual page of quellora-cli from the command's own help.

    manual.py QUELLORA-CLI SAIDA.1 VERSAO

Every usage entry of "quellora-cli --help" becomes one item of COMMANDS
("COMANDOS"): its synopsis (the first line and the lines that go on with
options in brackets) and its description (the rest)."""

import re
import subprocess
import sys


def roff(texto):
    """Escapes a text for roff: backslashes, minus signs, control characters at line start."""
    t = texto.replace("\\", "\\e").replace("-", "\\-")
    if t.startswith((".", "'")):
        t = "\\&" + t
    return t


def entradas(ajuda):
    """(synopsis, description) of every usage entry."""
    lista = []
    for linha in ajuda.splitlines():
        if linha.startswith("  quellora-cli "):
            # The description, when on the same line, after a gap of two spaces or more.
            sinopse, *descricao = re.split(r"\s{2,}", linha.strip(), maxsplit=1)
            lista.append([sinopse, descricao])
        elif linha.startswith("   ") and lista:
            resto = linha.strip()
            if not lista[-1][1] and resto.startswith(("[", "(")):
                lista[-1][0] += " " + resto
            else:
                lista[-1][1].append(resto)
    return [(s, " ".join(d)) for s, d in lista]


PASTAS = """\
.SH PASTAS
Numa cópia portátil (a pasta do programa pode ser gravada), o catálogo e os
arquivos do usuário ficam em
.I dados/
e os orçamentos em
.I projetos/
ao lado do executável.
Instalado em
.IR /usr/bin ,
o programa lê o catálogo de
.IR /usr/share/quellora/dados/ ,
grava os arquivos do usuário (configurações, perfil do operador, e\\-mail,
clientes, contador de propostas, preferências) em
.I $XDG_DATA_HOME/quellora/
(normalmente
.IR ~/.local/share/quellora/ )
e os orçamentos na pasta de documentos, em
.IR Quellora/projetos/ .
Um catálogo completo posto na pasta de dados do usuário tem precedência sobre o
instalado; a preferência \\(lqPasta de projetos\\(rq pode apontar para uma pasta
compartilhada.
.B quellora\\-cli dados
mostra as pastas em uso; a opção
.B \\-\\-dados
de cada comando indica outra pasta para o catálogo e as configurações.
"""


def main():
    cli, saida, versao = sys.argv[1:4]
    ajuda = subprocess.run([cli, "--help"], check=True, capture_output=True, text=True).stdout
    partes = [
        '.TH QUELLORA\\-CLI 1 "" "Quellora %s" "Comandos do usuário"' % roff(versao),
        ".nh",
        ".ad l",
        ".SH NOME",
        "quellora\\-cli \\- seleção de ventiladores, catálogo, orçamentos e propostas do Quellora sem janelas",
        ".SH SINOPSE",
        ".B quellora\\-cli",
        ".I comando",
        "[\\fIopções\\fR]",
        ".SH DESCRIÇÃO",
        ".B quellora\\-cli",
        "executa as operações do Quellora sem as janelas do programa, sobre os mesmos",
        "arquivos: escreve em texto ou em JSON (onde pedido) e termina com código",
        "diferente de zero e uma mensagem em português quando algo falha.",
        ".SH COMANDOS",
    ]
    for sinopse, descricao in entradas(ajuda):
        partes += [".TP", ".B " + roff(sinopse), roff(descricao) if descricao else ""]
    partes.append(PASTAS.rstrip("\n"))
    partes += ['.SH "VEJA TAMBÉM"', ".BR quellora (1)"]
    with open(saida, "w", encoding="utf-8") as f:
        f.write("\n".join(p for p in partes if p != "") + "\n")


if __name__ == "__main__":
    main()
