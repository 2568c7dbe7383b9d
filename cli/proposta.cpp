// quellora-cli proposta: the proposal of a saved quotation as the HTML
// document and as PDF pages, without the program's windows.

#include "comandos.h"

#include "catalogue/catalogo.h"
#include "proposal/proposta.h"
#include "quotation/arquivo_orc.h"
#include "shell/estado.h"

#include <QDir>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli proposta ARQUIVO.orc [--html SAIDA] [--pdf SAIDA] [--reduzida] [--dados PASTA]\n"
    "                          a proposta do orçamento gravado: o documento HTML (o arquivo que a\n"
    "                          planilha abre) e/ou as páginas em PDF; --reduzida omite sete linhas do\n"
    "                          ponto de operação";

int Executa(const QStringList &entrada) {
    QStringList args = entrada;
    const QString html = Opcao(args, QStringLiteral("--html"));
    const QString pdf = Opcao(args, QStringLiteral("--pdf"));
    const QString dados = Opcao(args, QStringLiteral("--dados"), DirDadosPadrao());
    const bool reduzida = Chave(args, QStringLiteral("--reduzida"));
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        Erro(QStringLiteral("Indique um arquivo de orçamento (.orc).\nUso:\n") + QString::fromUtf8(Uso) +
             QLatin1Char('\n'));
        return 2;
    }
    if (html.isEmpty() && pdf.isEmpty()) {
        Erro(QStringLiteral("Indique a saída: --html SAIDA e/ou --pdf SAIDA.\n"));
        return 2;
    }

    ResetaEstado();
    auto &g = G();
    g.DirDados = QDir(dados).absolutePath() + QLatin1Char('/');
    TArquivoOrc a;
    QString erro;
    if (!CarregaAcessorios(g.DirDados, &erro) || !LeArquivoOrc(args.first(), a, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    // As the program opens a quotation: its own factors are those in force.
    g.Orcamento = a.Orcamento;
    g.Fatores = a.Orcamento.FatoresOrc;
    g.NumItens = static_cast<int>(a.Itens.size());
    for (int k = 1; k <= g.NumItens; ++k)
        g.Itens[k] = a.Itens[static_cast<std::size_t>(k - 1)];
    g.Pagina.Logotipo = LogotipoProposta();
    auto &pr = g.Proposta;
    pr.Reduzida = reduzida;
    pr.SecaoObs = !a.Orcamento.Obs1.trimmed().isEmpty() || !a.Orcamento.Obs2.trimmed().isEmpty();

    if (!html.isEmpty()) {
        if (!GravaPropostaHTML(html, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            return 1;
        }
        Saida(QStringLiteral("HTML: %1\n").arg(html));
    }
    if (!pdf.isEmpty()) {
        if (!GravaPropostaPDF(pdf, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            return 1;
        }
        Saida(QStringLiteral("PDF: %1 (%2 página(s))\n").arg(pdf).arg(NumPaginasProposta()));
    }
    return 0;
}

} // namespace

static const bool registro_proposta = Registra({"proposta", Uso, &Executa, true});

} // namespace quellora::cli
