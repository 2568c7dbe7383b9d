// quellora-cli orcamento mostra|compila|lista|numera: quotation files for
// scripts and migrations, through the same core functions as the windows.

#include "comandos.h"

#include "catalogue/arquivos.h"
#include "quotation/arquivo_orc.h"
#include "quotation/numeracao.h"
#include "quotation/orcamento_json.h"
#include "quotation/propostas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <nlohmann/json.hpp>

#include <cstdio>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli orcamento mostra ARQUIVO.orc       escreve o orçamento inteiro como JSON\n"
    "  quellora-cli orcamento compila ENTRADA.json SAIDA.orc\n"
    "                                                  grava o JSON como arquivo de orçamento\n"
    "  quellora-cli orcamento lista [PASTA] [--ordem numero|data|cliente|projeto|total] [--json]\n"
    "                                                  as propostas da pasta (padrão: a de projetos)\n"
    "  quellora-cli orcamento numera N [--dados PASTA] [--intervalo MS]\n"
    "                                                  toma N números do contador de propostas, com\n"
    "                                                  MS milissegundos entre um e outro";

int Mostra(const QString &arquivo) {
    TArquivoOrc a;
    QString erro;
    if (!LeArquivoOrc(arquivo, a, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    Saida(QString::fromStdString(OrcamentoParaJson(a).dump(1)) + QLatin1Char('\n'));
    return 0;
}

int Compila(const QString &entrada, const QString &saida) {
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
    if (!GravaArquivoAtomico(saida, imagem, &erro)) {
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
    if (chave < 0 || a.size() > 1) {
        Erro(QStringLiteral("Uso:\n%1\n").arg(QString::fromUtf8(Uso)));
        return 2;
    }
    const QString pasta = a.isEmpty() ? PastasPadrao().Projetos : a[0];
    if (!QFileInfo(pasta).isDir()) {
        Erro(QStringLiteral("A pasta \"%1\" não existe.\n").arg(QDir::toNativeSeparators(pasta)));
        return 1;
    }
    std::vector<TResumoOrc> lista = ListaOrcamentos(pasta);
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
        Erro(QStringLiteral("Nenhuma proposta foi encontrada em [%1]\n").arg(QDir::toNativeSeparators(pasta)));
    for (const TResumoOrc &r : lista)
        Saida(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                  .arg(r.Numero, r.Legivel ? TextoDataOrcamento(r.Data) : QString(), r.Cliente, r.Projeto,
                       r.Legivel ? QString::number(r.Total, 'f', 2) : QString()));
    return 0;
}

int Numera(QStringList a) {
    const QString dados = Opcao(a, QStringLiteral("--dados"), DirDadosPadrao());
    bool okIntervalo = false;
    const int intervalo = Opcao(a, QStringLiteral("--intervalo"), QStringLiteral("0")).toInt(&okIntervalo);
    bool ok = false;
    const int n = a.size() == 1 ? a[0].toInt(&ok) : 0;
    if (!ok || n < 1 || !okIntervalo || intervalo < 0) {
        Erro(QStringLiteral("Uso:\n%1\n").arg(QString::fromUtf8(Uso)));
        return 2;
    }
    for (int i = 0; i < n; ++i) {
        std::int32_t numero = 0;
        QString erro;
        if (!ProximoNumero(dados, numero, &erro)) {
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
    if (a.size() == 2 && a[0] == QLatin1String("mostra"))
        return Mostra(a[1]);
    if (a.size() == 3 && a[0] == QLatin1String("compila"))
        return Compila(a[1], a[2]);
    if (!a.isEmpty() && a[0] == QLatin1String("lista"))
        return Lista(a.mid(1));
    if (!a.isEmpty() && a[0] == QLatin1String("numera"))
        return Numera(a.mid(1));
    Erro(QStringLiteral("Uso:\n%1\n").arg(QString::fromUtf8(Uso)));
    return 2;
}

} // namespace

QUELLORA_CLI_COMANDO(orcamento, "orcamento", Uso, Executa);

} // namespace quellora::cli
