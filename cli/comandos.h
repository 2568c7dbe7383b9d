#pragma once
// Sub-commands of quellora-cli. Each file of cli/ registers its own.

#include "shell/pastas.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

namespace quellora {
class Acervo;
}

namespace quellora::cli {

struct Comando {
    const char *nome;  // first word: "catalogo", "selecao", ...
    const char *uso;   // one or more usage lines
    int (*executa)(const QStringList &args);
    bool desenha = false; // draws pages: runs in a (headless) GUI application
};

bool Registra(const Comando &c);

// The folders in use (shell/pastas.h): beside the executable in a portable
// copy, the user's and the shipped ones when installed.
const TPastas &PastasPadrao();
// The user's data folder (created when installed and missing).
QString DirDadosPadrao();
// The catalogue folder.
QString DirCatalogoPadrao();

// Writes to standard output / standard error (UTF-8).
void Saida(const QString &texto);
void SaidaUtf8(const QByteArray &utf8);
void Erro(const QString &texto);

// Value of "--nome VALOR" in args (removed from args), or 'padrao'.
QString Opcao(QStringList &args, const QString &nome, const QString &padrao = {});
bool Chave(QStringList &args, const QString &nome);

// The store configured in "--dados PASTA" (default: the data folder in use)
// with its projects folder "--projetos PASTA" (default: the projects folder
// in use); both options are taken out of args ('dirDados' gets the data
// folder). What it writes is recorded under the operator of
// that data folder's profile.
std::unique_ptr<Acervo> AcervoDaLinha(QStringList &args, QString *dirDados = nullptr);

} // namespace quellora::cli

#define QUELLORA_CLI_COMANDO(id, nome, uso, fn) \
    static const bool registro_##id = ::quellora::cli::Registra({nome, uso, fn})
