// quellora-cli container compacta|descompacta ENTRADA SAIDA

#include "comandos.h"

#include "clients/lzh.h"

#include <QFile>
#include <QSaveFile>

namespace quellora::cli {

namespace {

// Reads the input whole and writes the output through a temporary beside
// it, so that a failure leaves no partial output behind.
int Converte(const QString &entrada, const QString &saida, bool compacta) {
    QFile in(entrada);
    if (!in.open(QIODevice::ReadOnly)) {
        Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(entrada, in.errorString()));
        return 1;
    }
    const QByteArray dados = in.readAll();
    QByteArray resultado;
    QString erro;
    if (compacta) {
        resultado = CompactaContainer(dados);
    } else if (!DescompactaContainer(dados, resultado, &erro)) {
        Erro(QStringLiteral("%1: %2\n").arg(entrada, erro));
        return 1;
    }
    QSaveFile out(saida);
    if (!out.open(QIODevice::WriteOnly) || out.write(resultado) != resultado.size() || !out.commit()) {
        Erro(QStringLiteral("Não foi possível gravar \"%1\": %2\n").arg(saida, out.errorString()));
        return 1;
    }
    return 0;
}

int Executa(const QStringList &a) {
    if (a.size() == 3 && a[0] == QLatin1String("compacta"))
        return Converte(a[1], a[2], true);
    if (a.size() == 3 && a[0] == QLatin1String("descompacta"))
        return Converte(a[1], a[2], false);
    Erro(QStringLiteral("Uso: quellora-cli container compacta ENTRADA SAIDA | descompacta ENTRADA SAIDA\n"));
    return 2;
}

} // namespace

QUELLORA_CLI_COMANDO(container, "container",
                     "  quellora-cli container compacta ENTRADA SAIDA     grava ENTRADA no contêiner compactado\n"
                     "  quellora-cli container descompacta ENTRADA SAIDA  extrai o conteúdo de um contêiner",
                     Executa);

} // namespace quellora::cli
