#include "catalogue/energia.h"

#include "catalogue/arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace quellora {

namespace {

constexpr char Assinatura[4] = {'Q', 'E', 'F', 'I'};
constexpr std::int32_t Versao = 1;
constexpr std::size_t Cabecalho = 16;
constexpr std::size_t TamMotor = 40;
constexpr std::size_t TamLinha = 12;
constexpr std::size_t TamSoma = 4;
constexpr int MaxMotores = 64;
constexpr int MaxLinhas = 21;

const char *const CodigosTipo[] = {"", "axial", "centrifugo-frente", "centrifugo-radial", "centrifugo-tras",
                                   "centrifugo-aerofolio"};
constexpr int NumTipos = 6;

bool CategoriaValida(char c) { return c >= 'A' && c <= 'D'; }

std::uint16_t Soma(const QByteArray &b, qsizetype n) {
    return qChecksum(QByteArrayView(b.constData(), n), Qt::ChecksumItuV41);
}

QString ProblemaDoMotor(const TRendMotor &m, const TRendMotor *anterior) {
    if (!(m.Potencia >= 0.001 && m.Potencia <= 100000))
        return QStringLiteral("potência de motor inválida");
    if (anterior && !(m.Potencia > anterior->Potencia))
        return QStringLiteral("potências de motor fora da ordem crescente");
    for (int p = 1; p <= 4; ++p)
        if (!(m.Rendimento[p] >= 10 && m.Rendimento[p] < 100))
            return QStringLiteral("rendimento de motor fora de 10..100 %");
    return {};
}

QString ProblemaDaLinha(const TLinhaEnergia &l) {
    if (CortaStr(l.Codigo, 7) != l.Codigo)
        return QStringLiteral("código de linha com mais de 7 caracteres");
    if (static_cast<int>(l.Tipo) >= NumTipos)
        return QStringLiteral("tipo de ventilador desconhecido");
    if (l.Tipo == TipoUE::Nenhum ? l.Categoria != 0 : !CategoriaValida(l.Categoria))
        return QStringLiteral("categoria de medição inválida");
    return {};
}

} // namespace

QString CodigoTipoUE(TipoUE t) {
    const int i = static_cast<int>(t);
    return i < NumTipos ? QString::fromLatin1(CodigosTipo[i]) : QString();
}

bool TipoUEDeCodigo(const QString &codigo, TipoUE &t) {
    for (int i = 1; i < NumTipos; ++i)
        if (codigo == QLatin1String(CodigosTipo[i])) {
            t = static_cast<TipoUE>(i);
            return true;
        }
    return false;
}

QString ValidaEnergia(const TEnergiaCatalogo &e) {
    if (e.Motores.empty() || e.Motores.size() > MaxMotores)
        return QStringLiteral("a tabela de motores deve ter de 1 a %1 potências").arg(MaxMotores);
    if (e.Linhas.size() > MaxLinhas)
        return QStringLiteral("mais de %1 linhas").arg(MaxLinhas);
    for (std::size_t k = 0; k < e.Motores.size(); ++k) {
        const QString p = ProblemaDoMotor(e.Motores[k], k ? &e.Motores[k - 1] : nullptr);
        if (!p.isEmpty())
            return p;
    }
    for (const TLinhaEnergia &l : e.Linhas) {
        const QString p = ProblemaDaLinha(l);
        if (!p.isEmpty())
            return p;
    }
    return {};
}

QByteArray EnergiaParaBytes(const TEnergiaCatalogo &e) {
    const std::size_t n = e.Motores.size(), m = e.Linhas.size();
    QByteArray b(static_cast<qsizetype>(Cabecalho + n * TamMotor + m * TamLinha + TamSoma), '\0');
    GravadorBinario g(b);
    for (int k = 0; k < 4; ++k)
        g.byte(static_cast<std::size_t>(k), static_cast<std::uint8_t>(Assinatura[k]));
    g.integer(4, Versao);
    g.integer(8, static_cast<std::int32_t>(n));
    g.integer(12, static_cast<std::int32_t>(m));
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t base = Cabecalho + k * TamMotor;
        g.dbl(base, e.Motores[k].Potencia);
        for (int p = 1; p <= 4; ++p)
            g.dbl(base + 8 * static_cast<std::size_t>(p), e.Motores[k].Rendimento[p]);
    }
    for (std::size_t j = 0; j < m; ++j) {
        const std::size_t base = Cabecalho + n * TamMotor + j * TamLinha;
        g.str(base, 7, e.Linhas[j].Codigo);
        g.byte(base + 8, static_cast<std::uint8_t>(e.Linhas[j].Tipo));
        g.byte(base + 9, static_cast<std::uint8_t>(e.Linhas[j].Categoria));
    }
    const qsizetype fim = b.size() - static_cast<qsizetype>(TamSoma);
    g.integer(static_cast<std::size_t>(fim), Soma(b, fim));
    return b;
}

bool EnergiaDeBytes(const QByteArray &dados, TEnergiaCatalogo &e, QString *motivo) {
    auto falha = [&](const QString &t) {
        if (motivo)
            *motivo = t;
        return false;
    };
    const LeitorBinario l(dados);
    const std::size_t tam = l.tamanho();
    if (tam < Cabecalho + TamSoma)
        return falha(QStringLiteral("arquivo curto demais"));
    for (int k = 0; k < 4; ++k)
        if (l.byte(static_cast<std::size_t>(k)) != static_cast<std::uint8_t>(Assinatura[k]))
            return falha(QStringLiteral("não é um arquivo de dados de eficiência"));
    if (l.integer(4) != Versao)
        return falha(QStringLiteral("versão %1 desconhecida").arg(l.integer(4)));
    const std::int32_t n = l.integer(8), m = l.integer(12);
    if (n < 1 || n > MaxMotores || m < 0 || m > MaxLinhas)
        return falha(QStringLiteral("contagens de registros inválidas"));
    const std::size_t esperado = Cabecalho + static_cast<std::size_t>(n) * TamMotor +
                                 static_cast<std::size_t>(m) * TamLinha + TamSoma;
    if (tam != esperado)
        return falha(QStringLiteral("tamanho de %1 bytes, esperados %2").arg(tam).arg(esperado));
    const qsizetype fim = dados.size() - static_cast<qsizetype>(TamSoma);
    if (l.word32(static_cast<std::size_t>(fim)) != Soma(dados, fim))
        return falha(QStringLiteral("soma de verificação não confere"));
    TEnergiaCatalogo lido;
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        const std::size_t base = Cabecalho + k * TamMotor;
        TRendMotor r;
        r.Potencia = l.dbl(base);
        for (int p = 1; p <= 4; ++p)
            r.Rendimento[p] = l.dbl(base + 8 * static_cast<std::size_t>(p));
        lido.Motores.push_back(r);
    }
    for (std::size_t j = 0; j < static_cast<std::size_t>(m); ++j) {
        const std::size_t base = Cabecalho + static_cast<std::size_t>(n) * TamMotor + j * TamLinha;
        TLinhaEnergia r;
        r.Codigo = l.str(base, 7);
        const std::uint8_t tipo = l.byte(base + 8);
        if (tipo >= NumTipos)
            return falha(QStringLiteral("tipo de ventilador desconhecido"));
        r.Tipo = static_cast<TipoUE>(tipo);
        r.Categoria = static_cast<char>(l.byte(base + 9));
        if (l.byte(base) > 7 || l.byte(base + 10) != 0 || l.byte(base + 11) != 0)
            return falha(QStringLiteral("registro de linha inválido"));
        lido.Linhas.push_back(r);
    }
    const QString problema = ValidaEnergia(lido);
    if (!problema.isEmpty())
        return falha(problema);
    e = std::move(lido);
    return true;
}

bool CarregaEnergia(const QString &dirDados, TEnergiaCatalogo &e, QString *erro) {
    const QString arq = CaminhoEm(dirDados, QString::fromLatin1(ArqEnergia));
    if (!QFileInfo::exists(arq)) {
        e = TEnergiaCatalogo{};
        return true;
    }
    QFile f(arq);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro)
            *erro = QStringLiteral("Não foi possível abrir \"%1\": %2.").arg(QDir::toNativeSeparators(arq),
                                                                             f.errorString());
        return false;
    }
    QString motivo;
    if (!EnergiaDeBytes(f.readAll(), e, &motivo)) {
        if (erro)
            *erro = QStringLiteral("O arquivo de dados de eficiência \"%1\" está danificado: %2.")
                        .arg(QDir::toNativeSeparators(arq), motivo);
        return false;
    }
    return true;
}

double RendimentoIE3(const TEnergiaCatalogo &e, double potencia, int polos) {
    if (e.Motores.empty())
        return 0;
    const int p = (polos == 2 || polos == 4 || polos == 6 || polos == 8) ? polos / 2 : 2;
    const TRendMotor *linha = &e.Motores.front();
    for (const TRendMotor &m : e.Motores)
        if (m.Potencia <= potencia)
            linha = &m;
    return linha->Rendimento[p] / 100.0;
}

const TLinhaEnergia *LinhaEnergia(const TEnergiaCatalogo &e, const QString &codigo) {
    const QString c = codigo.trimmed();
    if (c.isEmpty())
        return nullptr;
    for (const TLinhaEnergia &l : e.Linhas)
        if (l.Codigo.trimmed().compare(c, Qt::CaseInsensitive) == 0)
            return &l;
    if (c.size() == 4)
        for (const TLinhaEnergia &l : e.Linhas)
            if (l.Codigo.trimmed().left(4).compare(c, Qt::CaseInsensitive) == 0)
                return &l;
    return nullptr;
}

} // namespace quellora
