// Fuzz target: the quotation file reader, the open window's listing of a
// header, the opening rules, and the JSON form.
//
// Any input is read as a quotation file. A refusal must say why. What is
// accepted must show as JSON and compile back to the very bytes it was read
// from, and the image the program writes from it must read back as itself.

#include "quotation/arquivo_orc.h"
#include "quotation/orcamento_json.h"
#include "quotation/propostas.h"
#include "shell/estado.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    using namespace quellora;
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));

    const TResumoOrc r = ResumoOrcamento(QStringLiteral("0001_03.orc"), entrada.left(1716), entrada.size());
    (void)TextoDataOrcamento(r.Data);

    TArquivoOrc a;
    QString erro;
    if (!ArquivoOrcDeBytes(entrada, QStringLiteral("x.orc"), a, &erro)) {
        if (erro.isEmpty() || !erro.contains(QStringLiteral("x.orc")))
            std::abort();
        return 0;
    }
    const qsizetype usado = static_cast<qsizetype>(TOrcamento::TamanhoRegistro +
                                                   TItemOrc::TamanhoRegistro * a.Itens.size());

    QByteArray compilado;
    const auto j = nlohmann::json::parse(OrcamentoParaJson(a).dump());
    if (!OrcamentoDeJson(j, compilado, &erro) || compilado != entrada.left(usado))
        std::abort();

    const QByteArray escrito = ArquivoOrcParaBytes(a);
    TArquivoOrc relido;
    if (escrito.size() != usado || !ArquivoOrcDeBytes(escrito, QStringLiteral("y.orc"), relido, &erro) ||
        ArquivoOrcParaBytes(relido) != escrito)
        std::abort();

    G().Orcamento = a.Orcamento;
    AplicaFatoresDoOrcamento();
    if (G().Orcamento.ICMS < 1 || G().Orcamento.ICMS > 4)
        std::abort();
    return 0;
}
