// quellora-cli proposta: the proposal of a saved quotation as the HTML
// document, as PDF pages and as the technical data sheets, without the
// program's windows.

#include "comandos.h"

#include "catalogue/catalogo.h"
#include "mail/chaveiro.h"
#include "mail/envio.h"
#include "proposal/folha_tecnica.h"
#include "proposal/proposta.h"
#include "quotation/arquivo_orc.h"
#include "shell/estado.h"

#include <QDir>
#include <QFile>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli proposta ARQUIVO.orc [--html SAIDA] [--pdf SAIDA] [--folhas SAIDA] [--reduzida]\n"
    "                     [--dados PASTA]\n"
    "                     [--enviar DESTINO [--copia ENDERECO] [--texto ARQUIVO]]\n"
    "                          a proposta do orçamento gravado: o documento HTML (o arquivo que a\n"
    "                          planilha abre) e/ou as páginas em PDF; --folhas grava em PDF as folhas\n"
    "                          técnicas, uma página por item pronto; --reduzida omite sete linhas do\n"
    "                          ponto de operação; --enviar manda a proposta por e-mail (\"proposta.xls\")\n"
    "                          pelo servidor de dadmai.dat e conexaoemail.json, com cópia e texto\n"
    "                          opcionais (uma cópia recusada não impede o envio: é dita como aviso)";

int Executa(const QStringList &entrada) {
    QStringList args = entrada;
    const QString html = Opcao(args, QStringLiteral("--html"));
    const QString pdf = Opcao(args, QStringLiteral("--pdf"));
    const QString folhas = Opcao(args, QStringLiteral("--folhas"));
    // --dados names one folder for both the catalogue and the e-mail settings.
    const QString dados = Opcao(args, QStringLiteral("--dados"));
    const bool reduzida = Chave(args, QStringLiteral("--reduzida"));
    const QString destino = Opcao(args, QStringLiteral("--enviar"));
    const QString copia = Opcao(args, QStringLiteral("--copia"));
    const QString arqTexto = Opcao(args, QStringLiteral("--texto"));
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        Erro(QStringLiteral("Indique um arquivo de orçamento (.orc).\nUso:\n") + QString::fromUtf8(Uso) +
             QLatin1Char('\n'));
        return 2;
    }
    if (html.isEmpty() && pdf.isEmpty() && folhas.isEmpty() && destino.trimmed().isEmpty()) {
        Erro(QStringLiteral("Indique a saída: --html SAIDA, --pdf SAIDA, --folhas SAIDA e/ou --enviar DESTINO.\n"));
        return 2;
    }
    QByteArray texto;
    if (!arqTexto.isEmpty()) {
        QFile f(arqTexto);
        if (!f.open(QIODevice::ReadOnly)) {
            Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(arqTexto, f.errorString()));
            return 1;
        }
        texto = f.readAll();
    }

    ResetaEstado();
    auto &g = G();
    g.DirDados = dados.isEmpty() ? DirDadosPadrao() : QDir(dados).absolutePath() + QLatin1Char('/');
    g.DirCatalogo = dados.isEmpty() ? DirCatalogoPadrao() : g.DirDados;
    TArquivoOrc a;
    QString erro;
    if (!CarregaAcessorios(g.DirCatalogo, &erro) || !LeArquivoOrc(args.first(), a, &erro)) {
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
    if (!folhas.isEmpty()) {
        const std::vector<TFolhaTecnica> f = FolhasDoOrcamento(G());
        if (!GravaFolhasTecnicasPDF(folhas, f, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            return 1;
        }
        Saida(QStringLiteral("Folhas técnicas: %1 (%2 página(s))\n").arg(folhas).arg(f.size()));
    }
    if (!destino.trimmed().isEmpty()) {
        const auto cofre = CofreDoUsuario(g.DirDados);
        const ResultadoEnvio r = EnviaPropostaPorEmail(g.DirDados, *cofre, g.Orcamento, destino, copia,
                                                       QString::fromUtf8(texto), PropostaHTML());
        if (r.Status != 0) {
            Erro(r.Erro + QLatin1Char('\n'));
            return r.Status;
        }
        Saida(QStringLiteral("E-mail: %1\n").arg(r.Resposta));
        for (const QString &aviso : r.Avisos)
            Erro(QStringLiteral("Aviso: ") + aviso + QLatin1Char('\n'));
    }
    return 0;
}

} // namespace

static const bool registro_proposta = Registra({"proposta", Uso, &Executa, true});

} // namespace quellora::cli
