// quellora-cli orcamento mostra|compila|lista|numera: quotation files, and
// the quotations of the configured store, for scripts and migrations,
// through the same core functions as the windows.

#include "comandos.h"

#include "catalogue/arquivos.h"
#include "quotation/arquivo_orc.h"
#include "quotation/numeracao.h"
#include "quotation/orcamento_json.h"
#include "quotation/propostas.h"
#include "store/acervo.h"
#include "store/acervo_pasta.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <nlohmann/json.hpp>

#include <cstdio>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli orcamento mostra ARQUIVO.orc|NUMERO [--revisao N]\n"
    "                                                  escreve o orçamento inteiro como JSON (NUMERO,\n"
    "                                                  como 0012/26: o das propostas em uso)\n"
    "  quellora-cli orcamento compila ENTRADA.json SAIDA.orc|NUMERO\n"
    "                                                  grava o JSON como arquivo de orçamento, ou como\n"
    "                                                  a proposta NUMERO (num servidor, nova revisão)\n"
    "  quellora-cli orcamento lista [PASTA] [--ordem numero|data|cliente|projeto|total] [--json]\n"
    "                                                  as propostas da pasta, ou as em uso\n"
    "  quellora-cli orcamento numera N [--intervalo MS]\n"
    "                                                  toma N números do contador de propostas, com\n"
    "                                                  MS milissegundos entre um e outro\n"
    "      As propostas em uso: as de --dados PASTA (padrão: a de dados), na pasta de projetos\n"
    "      --projetos PASTA (padrão: a de projetos) ou no servidor configurado (quellora-cli banco).";

int UsoErrado() {
    Erro(QStringLiteral("Uso:\n%1\n").arg(QString::fromUtf8(Uso)));
    return 2;
}

// "0012/26": a quotation of the store in use, by its number.
bool EhNumero(const QString &t) {
    static const QRegularExpression numero(QStringLiteral("^\\d{4}/\\d{2}$"));
    return numero.match(t).hasMatch();
}

int Mostra(QStringList a) {
    const QString revisaoTexto = Opcao(a, QStringLiteral("--revisao"), QStringLiteral("0"));
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a);
    bool okRevisao = false;
    const int revisao = revisaoTexto.toInt(&okRevisao);
    if (a.size() != 1 || !okRevisao || revisao < 0 || (revisao > 0 && !EhNumero(a[0])))
        return UsoErrado();
    TArquivoOrc orc;
    QString erro;
    const bool lido = EhNumero(a[0]) ? LeOrcamento(*acervo, NomeArquivoOrc(a[0]), orc, &erro, revisao)
                                     : LeArquivoOrc(a[0], orc, &erro);
    if (!lido) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    Saida(QString::fromStdString(OrcamentoParaJson(orc).dump(1)) + QLatin1Char('\n'));
    return 0;
}

int Compila(QStringList a) {
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a);
    if (a.size() != 2)
        return UsoErrado();
    const QString entrada = a[0], saida = a[1];
    QFile f(entrada);
    if (!f.open(QIODevice::ReadOnly)) {
        Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(entrada, f.errorString()));
        return 1;
    }
    const nlohmann::json j = nlohmann::json::parse(f.readAll().toStdString(), nullptr, false);
    if (j.is_discarded()) {
        Erro(QStringLiteral("\"%1\" não é um JSON válido.\n").arg(entrada));
        return 1;
    }
    QByteArray imagem;
    QString erro;
    if (!OrcamentoDeJson(j, imagem, &erro)) {
        Erro(QStringLiteral("%1: %2\n").arg(entrada, erro));
        return 1;
    }
    const bool gravou = EhNumero(saida) ? acervo->GravaImagem(NomeArquivoOrc(saida), imagem, &erro) == Gravacao::Gravada
                                        : GravaArquivoAtomico(saida, imagem, &erro);
    if (!gravou) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

int Lista(QStringList a) {
    const bool json = Chave(a, QStringLiteral("--json"));
    const QString ordem = Opcao(a, QStringLiteral("--ordem"), QStringLiteral("numero"));
    const QStringList chaves = {QStringLiteral("numero"), QStringLiteral("data"), QStringLiteral("cliente"),
                                QStringLiteral("projeto"), QStringLiteral("total")};
    const int chave = static_cast<int>(chaves.indexOf(ordem));
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a);
    if (chave < 0 || a.size() > 1)
        return UsoErrado();
    // A folder named on the line, or the store in use.
    if (!a.isEmpty())
        acervo = std::make_unique<AcervoPasta>(QString(), a[0]);
    if (!acervo->Servidor() && !QFileInfo(acervo->Descricao()).isDir()) {
        Erro(QStringLiteral("A pasta \"%1\" não existe.\n").arg(acervo->Descricao()));
        return 1;
    }
    std::vector<TResumoOrc> lista;
    QString erro;
    if (!acervo->Lista(lista, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    OrdenaOrcamentos(lista, chave);
    if (json) {
        nlohmann::json l = nlohmann::json::array();
        for (const TResumoOrc &r : lista)
            l.push_back({{"Arquivo", r.Arquivo.toStdString()},
                         {"Numero", r.Numero.toStdString()},
                         {"Data", TextoDataOrcamento(r.Data).toStdString()},
                         {"Cliente", r.Cliente.toStdString()},
                         {"Projeto", r.Projeto.toStdString()},
                         {"Total", r.Total},
                         {"Legivel", r.Legivel}});
        Saida(QString::fromStdString(l.dump(1)) + QLatin1Char('\n'));
        return 0;
    }
    if (lista.empty())
        Erro(QStringLiteral("Nenhuma proposta foi encontrada em [%1]\n").arg(acervo->Descricao()));
    for (const TResumoOrc &r : lista)
        Saida(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                  .arg(r.Numero, r.Legivel ? TextoDataOrcamento(r.Data) : QString(), r.Cliente, r.Projeto,
                       r.Legivel ? QString::number(r.Total, 'f', 2) : QString()));
    return 0;
}

int Numera(QStringList a) {
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a);
    bool okIntervalo = false;
    const int intervalo = Opcao(a, QStringLiteral("--intervalo"), QStringLiteral("0")).toInt(&okIntervalo);
    bool ok = false;
    const int n = a.size() == 1 ? a[0].toInt(&ok) : 0;
    if (!ok || n < 1 || !okIntervalo || intervalo < 0)
        return UsoErrado();
    for (int i = 0; i < n; ++i) {
        std::int32_t numero = 0;
        QString erro;
        if (!acervo->ProximoNumero(DateTimeParaData(QDateTime::currentDateTime()), numero, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            return 1;
        }
        Saida(QString::number(numero) + QLatin1Char('\n'));
        std::fflush(stdout);
        if (intervalo > 0)
            QThread::msleep(static_cast<unsigned long>(intervalo));
    }
    return 0;
}

int Executa(const QStringList &a) {
    if (!a.isEmpty() && a[0] == QLatin1String("mostra"))
        return Mostra(a.mid(1));
    if (!a.isEmpty() && a[0] == QLatin1String("compila"))
        return Compila(a.mid(1));
    if (!a.isEmpty() && a[0] == QLatin1String("lista"))
        return Lista(a.mid(1));
    if (!a.isEmpty() && a[0] == QLatin1String("numera"))
        return Numera(a.mid(1));
    return UsoErrado();
}

} // namespace

QUELLORA_CLI_COMANDO(orcamento, "orcamento", Uso, Executa);

} // namespace quellora::cli
