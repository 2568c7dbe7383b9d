#include "quotation/extensao_orc.h"

#include "catalogue/binario.h"
#include "clients/lzh.h"

#include <cmath>

namespace quellora {

namespace {

constexpr int Cabeca = 12;       // tag, version, length
constexpr int PorItem = 9;       // Byte + Double
constexpr int MaxVentiladoresOrc = 6;

bool Padrao(const TItemOrc &it) { return it.Ventiladores == 1 && it.PressaoFixa == 0; }

std::uint32_t Crc(const QByteArray &b, qsizetype n) {
    static const TCRC32 crc;
    return crc.Calcula(b.constData(), static_cast<std::size_t>(n));
}

} // namespace

QByteArray ExtensaoParaBytes(const std::vector<TItemOrc> &itens) {
    bool algum = false;
    for (const TItemOrc &it : itens)
        algum = algum || !Padrao(it);
    if (!algum)
        return {};
    const int n = static_cast<int>(itens.size());
    const int l = 4 + PorItem * n;
    static_assert(TamanhoExtensaoOrc(1) == Cabeca + 4 + PorItem + 4);
    QByteArray b(Cabeca + l + 4, '\0');
    GravadorBinario g(b);
    for (int k = 0; k < 4; ++k)
        g.byte(static_cast<std::size_t>(k), static_cast<std::uint8_t>(MarcaExtensaoOrc[k]));
    g.integer(4, VersaoExtensaoOrc);
    g.integer(8, l);
    g.integer(12, n);
    for (int k = 0; k < n; ++k) {
        const TItemOrc &it = itens[static_cast<std::size_t>(k)];
        const std::size_t o = static_cast<std::size_t>(16 + PorItem * k);
        g.byte(o, static_cast<std::uint8_t>(it.Ventiladores));
        g.dbl(o + 1, it.PressaoFixa);
    }
    g.word32(static_cast<std::size_t>(Cabeca + l), Crc(b, Cabeca + l));
    return b;
}

LeituraExtensao ExtensaoDeBytes(const QByteArray &resto, std::vector<TItemOrc> &itens, QString *erro) {
    for (TItemOrc &it : itens) {
        it.Ventiladores = 1;
        it.PressaoFixa = 0;
    }
    if (!resto.startsWith(QByteArray(MarcaExtensaoOrc, 4)))
        return LeituraExtensao::Ausente;
    auto recusa = [&](const QString &motivo) {
        if (erro)
            *erro = motivo;
        return LeituraExtensao::Recusada;
    };
    if (resto.size() < Cabeca + 4)
        return recusa(QStringLiteral("o bloco está cortado (%1 bytes)").arg(resto.size()));
    const LeitorBinario l(resto);
    const std::int32_t versao = l.integer(4);
    if (versao != VersaoExtensaoOrc)
        return recusa(QStringLiteral("o bloco tem a versão %1, que esta versão do programa não conhece").arg(versao));
    const std::int32_t tam = l.integer(8);
    if (tam < 4 || tam > resto.size() - Cabeca - 4)
        return recusa(QStringLiteral("o bloco anuncia %1 bytes e tem %2").arg(tam).arg(resto.size() - Cabeca - 4));
    if (resto.size() != Cabeca + tam + 4)
        return recusa(QStringLiteral("há %1 bytes depois do bloco").arg(resto.size() - Cabeca - tam - 4));
    if (l.word32(static_cast<std::size_t>(Cabeca + tam)) != Crc(resto, Cabeca + tam))
        return recusa(QStringLiteral("o bloco não confere com a sua soma de verificação"));
    const std::int32_t n = l.integer(12);
    if (n != static_cast<std::int32_t>(itens.size()) || tam != 4 + PorItem * n)
        return recusa(QStringLiteral("o bloco descreve %1 itens e o orçamento tem %2").arg(n).arg(itens.size()));
    std::vector<TItemOrc> lidos = itens;
    for (int k = 0; k < n; ++k) {
        const std::size_t o = static_cast<std::size_t>(16 + PorItem * k);
        TItemOrc &it = lidos[static_cast<std::size_t>(k)];
        it.Ventiladores = l.byte(o);
        it.PressaoFixa = l.dbl(o + 1);
        if (it.Ventiladores < 1 || it.Ventiladores > MaxVentiladoresOrc)
            return recusa(QStringLiteral("o item %1 tem %2 ventiladores (de 1 a %3)")
                              .arg(k + 1)
                              .arg(it.Ventiladores)
                              .arg(MaxVentiladoresOrc));
        if (!std::isfinite(it.PressaoFixa) || it.PressaoFixa < 0)
            return recusa(QStringLiteral("o item %1 tem uma pressão fixa inválida").arg(k + 1));
    }
    // Only the blocks the program writes: the same values give the same bytes.
    if (ExtensaoParaBytes(lidos) != resto)
        return recusa(QStringLiteral("o bloco não traz nada além dos valores padrão"));
    itens = std::move(lidos);
    return LeituraExtensao::Lida;
}

} // namespace quellora
