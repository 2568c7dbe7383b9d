// Fuzz target: the table stream reader.
//
// Any input is read as the payload of the client file with the client
// structure. Whatever it accepts is written back and read again, which must
// give the same table.

#include "clients/fluxo.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

quellora::TDadosTabela Estrutura() {
    using quellora::TDefCampo;
    using T = quellora::TipoCampo;
    quellora::TDadosTabela t;
    t.Campos = {TDefCampo::Cria(QStringLiteral("ID"), T::Float), TDefCampo::Cria(QStringLiteral("Cliente"), T::String, 50),
                TDefCampo::Cria(QStringLiteral("descontoV"), T::Float),
                TDefCampo::Cria(QStringLiteral("Data"), T::DateTime)};
    return t;
}

bool Iguais(const QVariant &a, const QVariant &b) {
    if (a.isValid() != b.isValid())
        return false;
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    quellora::TDadosTabela tabela = Estrutura();
    QString erro;
    if (!quellora::LeFluxoTabela(entrada, tabela, &erro)) {
        if (erro.isEmpty())
            std::abort();
        return 0;
    }
    const QByteArray escrito = quellora::GravaFluxoTabela(tabela);
    quellora::TDadosTabela relido = Estrutura();
    if (!quellora::LeFluxoTabela(escrito, relido, &erro))
        std::abort();
    if (relido.Campos != tabela.Campos || relido.Registros.size() != tabela.Registros.size())
        std::abort();
    for (qsizetype i = 0; i < tabela.Registros.size(); ++i)
        for (qsizetype j = 0; j < tabela.Campos.size(); ++j) {
            // A stored date-time of 0 reads back as null, by design.
            const QVariant &a = tabela.Registros[i][j];
            const bool dataZero = tabela.Campos[j].Tipo == quellora::TipoCampo::DateTime && a.isValid() &&
                                  a.toDouble() == 0.0;
            if (!dataZero && !Iguais(a, relido.Registros[i][j]))
                std::abort();
        }
    return 0;
}
