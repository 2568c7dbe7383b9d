#include "clients/fluxo.h"

#include "catalogue/binario.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace quellora {

// --- Extended precision -------------------------------------------------------

void DoubleParaExtended(double v, std::uint8_t saida[10]) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const bool negativo = bits >> 63;
    const int expoente = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fracao = bits & ((std::uint64_t{1} << 52) - 1);
    std::uint64_t m = 0;
    int e = 0;
    if (expoente == 0x7FF) {
        e = 0x7FFF;
        m = fracao == 0 ? (std::uint64_t{1} << 63) : ((std::uint64_t{3} << 62) | (fracao << 11));
    } else if (expoente == 0) {
        if (fracao != 0) {
            // Subnormal double: normalised in the wider exponent range.
            const int z = std::countl_zero(fracao);
            m = fracao << z;
            e = 15372 - z;
        }
    } else {
        m = (std::uint64_t{1} << 63) | (fracao << 11);
        e = expoente - 1023 + 16383;
    }
    for (int i = 0; i < 8; ++i)
        saida[i] = static_cast<std::uint8_t>(m >> (8 * i));
    const unsigned se = static_cast<unsigned>(e) | (negativo ? 0x8000u : 0u);
    saida[8] = static_cast<std::uint8_t>(se & 0xFF);
    saida[9] = static_cast<std::uint8_t>(se >> 8);
}

double ExtendedParaDouble(const std::uint8_t entrada[10]) {
    std::uint64_t m = 0;
    for (int i = 0; i < 8; ++i)
        m |= static_cast<std::uint64_t>(entrada[i]) << (8 * i);
    const unsigned se = entrada[8] | (static_cast<unsigned>(entrada[9]) << 8);
    const bool negativo = se & 0x8000;
    const int expoente = static_cast<int>(se & 0x7FFF);
    const double sinal = negativo ? -1.0 : 1.0;
    if (expoente == 0x7FFF) {
        if ((m << 1) == 0)
            return sinal * std::numeric_limits<double>::infinity();
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sinal);
    }
    if (m == 0)
        return negativo ? -0.0 : 0.0;
    // value = m * 2^(e - 16383 - 63); denormals use the exponent of 1.
    int e = expoente == 0 ? 1 : expoente;
    const int z = std::countl_zero(m);
    m <<= z;
    e -= z;
    const int E = e - 16383; // value = 1.f * 2^E
    if (E > 1023)
        return sinal * std::numeric_limits<double>::infinity();
    int deslocamento = 11;
    int expDouble = E + 1023;
    if (E < -1022) {
        deslocamento += -1022 - E;
        expDouble = 0;
    }
    std::uint64_t mant = 0;
    if (deslocamento < 64) {
        mant = m >> deslocamento;
        const std::uint64_t resto = m & ((std::uint64_t{1} << deslocamento) - 1);
        const std::uint64_t meio = std::uint64_t{1} << (deslocamento - 1);
        if (resto > meio || (resto == meio && (mant & 1)))
            ++mant;
    } else if (deslocamento == 64) {
        mant = m > (std::uint64_t{1} << 63) ? 1 : 0;
    }
    std::uint64_t bits;
    if (expDouble == 0) {
        bits = mant; // a carry into bit 52 is the smallest normal, as it should be
    } else {
        if (mant >> 53) {
            mant >>= 1;
            ++expDouble;
        }
        if (expDouble >= 0x7FF)
            return sinal * std::numeric_limits<double>::infinity();
        bits = (static_cast<std::uint64_t>(expDouble) << 52) | (mant & ((std::uint64_t{1} << 52) - 1));
    }
    if (negativo)
        bits |= std::uint64_t{1} << 63;
    return std::bit_cast<double>(bits);
}

// --- Writer -------------------------------------------------------------------

namespace {

enum Tag : std::uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaExtended = 0x05,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaNil = 0x0D,
    vaCollection = 0x0E,
    vaSingle = 0x0F,
    vaCurrency = 0x10,
    vaDate = 0x11,
    vaWString = 0x12,
    vaInt64 = 0x13,
    vaUTF8String = 0x14,
};

// Writes into a buffer grown ahead of each piece; Fim() cuts it to what
// was written.
class Escritor {
public:
    explicit Escritor(qsizetype previsto) : b(std::max<qsizetype>(previsto, 64), Qt::Uninitialized) {}
    char *Reserva(qsizetype n) {
        if (usado + n > b.size())
            b.resize(std::max(b.size() * 2, usado + n));
        return b.data() + usado;
    }
    void Byte(std::uint8_t v) {
        *Reserva(1) = static_cast<char>(v);
        ++usado;
    }
    void Bytes(const void *p, qsizetype n) {
        std::memcpy(Reserva(n), p, static_cast<std::size_t>(n));
        usado += n;
    }
    QByteArray Fim() {
        b.resize(usado);
        return std::move(b);
    }
    void Le32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            Byte(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Inteiro(std::int32_t v) {
        if (v >= -128 && v <= 127) {
            Byte(vaInt8);
            Byte(static_cast<std::uint8_t>(v));
        } else if (v >= -32768 && v <= 32767) {
            Byte(vaInt16);
            Byte(static_cast<std::uint8_t>(v & 0xFF));
            Byte(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        } else {
            Byte(vaInt32);
            Le32(static_cast<std::uint32_t>(v));
        }
    }
    void Real(double v) {
        std::uint8_t x[10];
        DoubleParaExtended(v, x);
        Byte(vaExtended);
        Bytes(x, 10);
    }
    void TamanhoDaCadeia(qsizetype n) {
        if (n < 256) {
            Byte(vaString);
            Byte(static_cast<std::uint8_t>(n));
        } else {
            Byte(vaLString);
            Le32(static_cast<std::uint32_t>(n));
        }
    }
    void Cadeia(const QByteArray &s) {
        TamanhoDaCadeia(s.size());
        Bytes(s.constData(), s.size());
    }
    void Texto(QStringView s) {
        TamanhoDaCadeia(s.size());
        EscreveWin1252(s, Reserva(s.size()));
        usado += s.size();
    }
    void Logico(bool v) { Byte(v ? vaTrue : vaFalse); }

private:
    QByteArray b;
    qsizetype usado = 0;
};

} // namespace

QByteArray GravaFluxoTabela(const TDadosTabela &tabela) {
    Escritor w(64 + tabela.Registros.size() * 160);
    w.Bytes("TPF0", 4);
    w.Inteiro(VersaoFluxoTabela);

    w.Byte(vaList);
    for (const TDefCampo &c : tabela.Campos) {
        w.Texto(c.Nome);
        w.Texto(NomeTipo(c.Tipo));
        w.Inteiro(c.Tamanho);
        w.Texto(c.Rotulo);
        w.Texto(c.Mascara);
        w.Inteiro(c.Largura);
        w.Logico(c.Obrigatorio);
        w.Logico(c.SomenteLeitura);
        w.Texto(NomeEspecie(c.Especie));
    }
    w.Byte(vaNull);

    // Index definitions are not stored.
    w.Byte(vaList);
    w.Byte(vaNull);

    w.Byte(vaList);
    for (const TRegistro &r : tabela.Registros) {
        w.Byte(vaList);
        w.Inteiro(0); // update status
        for (int i = 0; i < tabela.Campos.size(); ++i) {
            static const QVariant nulo;
            const QVariant &v = i < r.size() ? r[i] : nulo;
            const TipoCampo t = tabela.Campos[i].Tipo;
            w.Logico(!v.isValid());
            if (!v.isValid())
                continue;
            if (CampoReal(t))
                w.Real(v.toDouble());
            else if (CampoInteiro(t))
                w.Inteiro(v.toInt());
            else if (t == TipoCampo::Boolean)
                w.Logico(v.toBool());
            else if (CampoBinario(t))
                w.Cadeia(v.toByteArray());
            else if (v.typeId() == QMetaType::QString)
                w.Texto(*static_cast<const QString *>(v.constData()));
            else
                w.Texto(v.toString());
        }
        w.Byte(vaNull);
    }
    w.Byte(vaNull);
    return w.Fim();
}

// --- Reader -------------------------------------------------------------------

namespace {

struct Falha {
    QString mensagem;
};

[[noreturn]] void ErroLeitura() { throw Falha{QStringLiteral("Stream read error")}; }
[[noreturn]] void ValorInvalido() { throw Falha{QStringLiteral("Invalid property value")}; }

class Leitor {
public:
    explicit Leitor(const QByteArray &b)
        : p_(reinterpret_cast<const std::uint8_t *>(b.constData())), n_(b.size()) {}

    qsizetype Resta() const { return n_ - i_; }
    void Le(void *destino, qsizetype n) {
        if (n < 0 || n > Resta())
            ErroLeitura();
        std::memcpy(destino, p_ + i_, static_cast<std::size_t>(n));
        i_ += n;
    }
    void Pula(qsizetype n) {
        if (n < 0 || n > Resta())
            ErroLeitura();
        i_ += n;
    }
    std::uint8_t Byte() {
        std::uint8_t v;
        Le(&v, 1);
        return v;
    }
    std::uint8_t Espia() const {
        if (Resta() < 1)
            ErroLeitura();
        return p_[i_];
    }
    std::uint32_t Le32() {
        std::uint8_t x[4];
        Le(x, 4);
        return x[0] | (x[1] << 8) | (x[2] << 16) | (static_cast<std::uint32_t>(x[3]) << 24);
    }
    std::int32_t InteiroDeTag(std::uint8_t tag) {
        switch (tag) {
        case vaInt8:
            return static_cast<std::int8_t>(Byte());
        case vaInt16: {
            const std::uint8_t a = Byte();
            const std::uint8_t b = Byte();
            return static_cast<std::int16_t>(a | (b << 8));
        }
        case vaInt32:
            return static_cast<std::int32_t>(Le32());
        default:
            ValorInvalido();
        }
    }
    std::int32_t Inteiro() { return InteiroDeTag(Byte()); }
    double Real() {
        const std::uint8_t tag = Byte();
        if (tag == vaExtended) {
            std::uint8_t x[10];
            Le(x, 10);
            return ExtendedParaDouble(x);
        }
        return InteiroDeTag(tag);
    }
    QByteArray Cadeia() {
        const std::uint8_t tag = Byte();
        qsizetype n;
        if (tag == vaString)
            n = Byte();
        else if (tag == vaLString)
            n = Le32();
        else
            ValorInvalido();
        if (n > Resta())
            ErroLeitura();
        QByteArray s(reinterpret_cast<const char *>(p_ + i_), n);
        i_ += n;
        return s;
    }
    QString Texto() { return DeWin1252(Cadeia()); }
    bool Logico() { return Byte() == vaTrue; }
    void InicioLista() {
        if (Byte() != vaList)
            ValorInvalido();
    }
    void FimLista() {
        if (Byte() != vaNull)
            ValorInvalido();
    }
    bool FimDaLista() const { return Espia() == vaNull; }

    // Skips one value of any kind, lists included.
    void PulaValor() {
        int profundidade = 0;
        do {
            const std::uint8_t tag = Byte();
            switch (tag) {
            case vaNull:
                if (profundidade == 0)
                    ValorInvalido();
                --profundidade;
                break;
            case vaList:
            case vaCollection:
                ++profundidade;
                break;
            case vaInt8:
                Pula(1);
                break;
            case vaInt16:
                Pula(2);
                break;
            case vaInt32:
            case vaSingle:
                Pula(4);
                break;
            case vaExtended:
                Pula(10);
                break;
            case vaCurrency:
            case vaDate:
            case vaInt64:
                Pula(8);
                break;
            case vaString:
            case vaIdent:
                Pula(Byte());
                break;
            case vaLString:
            case vaBinary:
            case vaUTF8String:
                Pula(static_cast<qsizetype>(Le32()));
                break;
            case vaWString:
                Pula(static_cast<qsizetype>(Le32()) * 2);
                break;
            case vaFalse:
            case vaTrue:
            case vaNil:
                break;
            default:
                ValorInvalido();
            }
        } while (profundidade > 0);
    }

private:
    const std::uint8_t *p_;
    qsizetype n_;
    qsizetype i_ = 0;
};

bool TipoPorNome(const QString &nome, TipoCampo &tipo) {
    for (int i = 1; i <= 21; ++i) {
        if (NomeTipo(static_cast<TipoCampo>(i)) == nome) {
            tipo = static_cast<TipoCampo>(i);
            return true;
        }
    }
    return false;
}

EspecieCampo EspeciePorNome(const QString &nome) {
    for (int i = 0; i <= 4; ++i)
        if (NomeEspecie(static_cast<EspecieCampo>(i)) == nome)
            return static_cast<EspecieCampo>(i);
    return EspecieCampo::Data;
}

QVariant LeValor(Leitor &r, TipoCampo t) {
    if (CampoReal(t)) {
        const double v = r.Real();
        if (t == TipoCampo::DateTime && v == 0.0)
            return {};
        return v;
    }
    if (CampoInteiro(t))
        return r.Inteiro();
    if (t == TipoCampo::Boolean)
        return r.Logico();
    if (CampoBinario(t))
        return r.Cadeia();
    return r.Texto();
}

TRegistro LeValores(Leitor &r, const QList<TDefCampo> &campos, int versao) {
    TRegistro reg(campos.size());
    for (int i = 0; i < campos.size(); ++i) {
        if (versao >= 249 && r.Logico())
            continue; // null
        reg[i] = LeValor(r, campos[i].Tipo);
    }
    return reg;
}

} // namespace

bool LeFluxoTabela(const QByteArray &fluxo, TDadosTabela &tabela, QString *erro) {
    if (fluxo.isEmpty())
        return true;
    Leitor r(fluxo);
    try {
        char assinatura[4];
        r.Le(assinatura, 4);
        if (std::memcmp(assinatura, "TPF0", 4) != 0)
            throw Falha{QStringLiteral("Invalid stream format")};
        const int versao = r.Espia() == vaList ? 100 : r.Inteiro();

        QList<TDefCampo> campos;
        r.InicioLista();
        while (!r.FimDaLista()) {
            TDefCampo c;
            c.Nome = r.Texto();
            const QString tipo = r.Texto();
            if (!TipoPorNome(tipo, c.Tipo))
                throw Falha{QStringLiteral("Unknown field type (%1)").arg(tipo)};
            c.Tamanho = r.Inteiro();
            c.Rotulo = r.Texto();
            c.Mascara = r.Texto();
            c.Largura = r.Inteiro();
            c.Obrigatorio = r.Logico();
            c.SomenteLeitura = r.Logico();
            if (versao >= 250)
                c.Especie = EspeciePorNome(r.Texto());
            campos.append(c);
        }
        r.FimLista();
        if (!campos.isEmpty()) {
            tabela.Campos = campos;
            tabela.Registros.clear();
        }

        if (versao > 199) {
            // The client file never stores index definitions; the table's
            // order does not depend on them.
            r.InicioLista();
            while (!r.FimDaLista())
                r.PulaValor();
            r.FimLista();
        }

        r.InicioLista();
        while (!r.FimDaLista()) {
            if (versao >= 230) {
                r.InicioLista();
                r.Inteiro(); // update status
                TRegistro reg = LeValores(r, tabela.Campos, versao);
                // Older versions of the same record follow; the current one
                // is the first.
                while (!r.FimDaLista()) {
                    r.Inteiro();
                    LeValores(r, tabela.Campos, versao);
                }
                r.FimLista();
                tabela.Registros.append(std::move(reg));
            } else {
                if (tabela.Campos.isEmpty())
                    ValorInvalido(); // a record of no fields would take no bytes
                tabela.Registros.append(LeValores(r, tabela.Campos, versao));
            }
        }
        r.FimLista();
    } catch (const Falha &f) {
        if (erro)
            *erro = f.mensagem;
        return false;
    }
    return true;
}

} // namespace quellora
