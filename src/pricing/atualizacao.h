#pragma once
// The price update: the current fan, motor and catalogue accessory prices
// from the price files into every item of the quotation being edited, with a
// report, item by item, of what was found and what was not.

#include <QString>
#include <QStringList>

namespace quellora {

// Closing message of a run in which some price was not found.
inline constexpr const char *MsgErroAtualizacao =
    "Causas de erro na atualização do preço\n\r\n\r-Valor inexistente no arquivo de preços\n\r"
    "-Acessório ou motor especial\n\r\n\rVerifique as causas.";

// Motor groups of the motor file; the price file holds one record per group.
inline constexpr int NumGruposMotores = 6;

struct TRelatorioPrecos {
    // Report lines: the text, optionally followed by "|" and style letters
    // ("O" heading, "B" bold; the report window also knows ">" right-aligned,
    // "^" centred and "L" underlined).
    QStringList Linhas;
    // Some price was not found, or the quotation has special accessories:
    // the run ends with MsgErroAtualizacao.
    bool Erro = false;
};

// Updates the prices of items 1..NumItens of the shared quotation from the
// price files of 'dirDados' and leaves ItemAtual at 1. A price not found
// (0 or negative) leaves the item's old fan or motor price and writes an
// "ERRO" line. Returns false, with a message naming the file, when a
// catalogue file cannot be read; the items are then as they were.
[[nodiscard]] bool AtualizaPrecos(const QString &dirDados, TRelatorioPrecos &relatorio, QString *erro = nullptr);

// A report line split into its text and its style letters ("" when none).
struct TLinhaRelatorio {
    QString Texto;
    QString Estilo;
};
TLinhaRelatorio SeparaEstilo(const QString &linha);

} // namespace quellora
