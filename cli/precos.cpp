// quellora-cli precos: the price update run over saved quotations (the yearly
// price change across all quotations in one command).

#include "comandos.h"

#include "pricing/atualizacao.h"
#include "pricing/precos.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"

#include <QFileInfo>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli precos ARQUIVO.orc... [--gravar] [--dados PASTA]\n"
    "                          atualiza os preços dos orçamentos pelos arquivos de preços e mostra o\n"
    "                          relatório de cada um; com --gravar grava os orçamentos atualizados, com\n"
    "                          o total recalculado pelos fatores do próprio orçamento";

// The quotation of a file becomes the one being edited, as opening it does.
void Carrega(const TArquivoOrc &a) {
    auto &g = G();
    for (int k = 0; k <= MaxItens; ++k)
        g.Itens[k] = TItemOrc{};
    g.Orcamento = a.Orcamento;
    g.NumItens = static_cast<int>(a.Itens.size());
    for (int k = 1; k <= g.NumItens; ++k)
        g.Itens[k] = a.Itens[static_cast<std::size_t>(k - 1)];
    g.ItemAtual = 0;
    g.Fatores = a.Orcamento.FatoresOrc;
}

TArquivoOrc Descarrega() {
    auto &g = G();
    // The total of the file list, priced as the proposal prices it.
    const TFatoresProposta f = FatoresProposta(g.Orcamento, g.Fatores);
    g.FatorVProposta = f.FatorV;
    g.MultDescVProposta = f.MultDescV;
    g.FatorMProposta = f.FatorM;
    g.MultDescMProposta = f.MultDescM;
    g.Orcamento.ValorTotalOrc = CalculaValorTotal();
    TArquivoOrc a;
    a.Orcamento = g.Orcamento;
    for (int k = 1; k <= g.NumItens; ++k)
        a.Itens.push_back(g.Itens[k]);
    return a;
}

QString TextoDoRelatorio(const TRelatorioPrecos &rel) {
    QString t;
    for (const QString &linha : rel.Linhas) {
        const TLinhaRelatorio l = SeparaEstilo(linha);
        t += (l.Estilo.contains(QLatin1Char('O')) ? QStringLiteral("  ") : QStringLiteral("      ")) + l.Texto +
             QLatin1Char('\n');
    }
    if (rel.Erro)
        t += QString::fromUtf8(MsgErroAtualizacao).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) +
             QLatin1Char('\n');
    return t;
}

int Executa(const QStringList &argumentos) {
    QStringList args = argumentos;
    const bool gravar = Chave(args, QStringLiteral("--gravar"));
    const QString dados = Opcao(args, QStringLiteral("--dados"), DirCatalogoPadrao());
    for (const QString &a : args)
        if (a.startsWith(QLatin1String("--"))) {
            Erro(QStringLiteral("Opção desconhecida: %1\nUso:\n%2\n").arg(a, QString::fromUtf8(Uso)));
            return 2;
        }
    if (args.isEmpty()) {
        Erro(QStringLiteral("Informe ao menos um arquivo de orçamento.\nUso:\n%1\n").arg(QString::fromUtf8(Uso)));
        return 2;
    }

    int falhas = 0;
    for (const QString &caminho : args) {
        const QString nome = QFileInfo(caminho).fileName();
        TArquivoOrc orc;
        QString erro;
        if (!LeArquivoOrc(caminho, orc, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            ++falhas;
            continue;
        }
        Carrega(orc);
        TRelatorioPrecos rel;
        if (!AtualizaPrecos(dados, rel, &erro)) {
            Erro(QStringLiteral("%1: %2\n").arg(nome, erro));
            ++falhas;
            continue;
        }
        Saida(QStringLiteral("%1\n").arg(nome) + TextoDoRelatorio(rel));
        if (gravar) {
            if (!GravaArquivoOrc(caminho, Descarrega(), &erro)) {
                Erro(erro + QLatin1Char('\n'));
                ++falhas;
                continue;
            }
            Saida(QStringLiteral("Gravado: %1\n").arg(caminho));
        }
        Saida(QStringLiteral("\n"));
    }
    return falhas ? 1 : 0;
}

} // namespace

QUELLORA_CLI_COMANDO(precos, "precos", Uso, Executa);

} // namespace quellora::cli
