#include "shell/preferencias.h"

#include "catalogue/arquivos.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace quellora {

namespace {

using nlohmann::json;

// The keys this version knows, with their ranges and the words for a refusal.
struct Campo {
    const char *chave;
    double TPreferencias::*real; // null for the directivity
    double minimo;
    double maximo;
    const char *descricao;
};
const Campo Campos[] = {
    {"HorasAno", &TPreferencias::HorasAno, 0, 8784, "as horas de operação por ano devem estar entre 0 e 8784"},
    {"Tarifa", &TPreferencias::Tarifa, 0, 100, "a tarifa de energia deve estar entre 0 e 100 R$/kWh"},
    {"Distancia", &TPreferencias::Distancia, 0.1, 1000, "a distância deve estar entre 0,1 e 1000 m"},
    {"Diretividade", nullptr, 1, 8, "a diretividade deve ser 1, 2, 4 ou 8"},
    {"VelocidadeMax", &TPreferencias::VelocidadeMax, 1, 100,
     "a velocidade máxima de descarga deve estar entre 1 e 100 m/s"},
};

bool DiretividadeValida(double q) { return q == 1 || q == 2 || q == 4 || q == 8; }

double Valor(const TPreferencias &p, const Campo &c) { return c.real ? p.*c.real : p.Diretividade; }

bool ForaDaFaixa(const Campo &c, double v) {
    if (!std::isfinite(v))
        return true;
    return c.real ? v < c.minimo || v > c.maximo : !DiretividadeValida(v);
}

// The one text key: empty (the program's own folder) or an absolute path.
const char *const ChavePastaProjetos = "PastaProjetos";
const char *const PastaRelativa = "a pasta de projetos deve ser um caminho completo, como /srv/projetos";
bool PastaAceita(const QString &p) { return p.isEmpty() || QDir::isAbsolutePath(p); }

QString Arquivo(const QString &dirDados) { return CaminhoEm(dirDados, QString::fromLatin1(ArqPreferencias)); }

} // namespace

QString ValidaPreferencias(const TPreferencias &p) {
    for (const Campo &c : Campos)
        if (ForaDaFaixa(c, Valor(p, c)))
            return QString::fromUtf8(c.descricao);
    if (!PastaAceita(p.PastaProjetos))
        return QString::fromUtf8(PastaRelativa);
    return {};
}

QString ProblemaPastaProjetos(const QString &pasta) {
    if (pasta.isEmpty())
        return {};
    if (!PastaAceita(pasta)) {
        QString t = QString::fromUtf8(PastaRelativa);
        t[0] = t[0].toUpper();
        return t + QLatin1Char('.');
    }
    if (!QFileInfo(pasta).isDir())
        return QStringLiteral("A pasta de projetos «%1» não existe.").arg(QDir::toNativeSeparators(pasta));
    return {};
}

QByteArray PreferenciasParaBytes(const TPreferencias &p) {
    json j = p.Outros.is_object() ? p.Outros : json::object();
    for (const Campo &c : Campos) {
        if (c.real)
            j[c.chave] = p.*c.real;
        else
            j[c.chave] = p.Diretividade;
    }
    j[ChavePastaProjetos] = p.PastaProjetos.toStdString();
    return QByteArray::fromStdString(j.dump(2) + "\n");
}

bool PreferenciasDeBytes(const QByteArray &dados, TPreferencias &p, QString *erro) {
    auto falha = [&](const QString &texto) {
        if (erro)
            *erro = texto;
        return false;
    };
    const json j = json::parse(dados.constData(), dados.constData() + dados.size(), nullptr, false);
    if (j.is_discarded() || !j.is_object())
        return falha(QStringLiteral("o arquivo não é um texto JSON com as preferências"));
    TPreferencias lido;
    lido.Outros = json::object();
    for (auto it = j.begin(); it != j.end(); ++it) {
        if (it.key() == ChavePastaProjetos) {
            if (!it.value().is_string())
                return falha(
                    QStringLiteral("o valor de \"%1\" não é um texto").arg(QLatin1String(ChavePastaProjetos)));
            lido.PastaProjetos = QString::fromStdString(it.value().get<std::string>());
            if (!PastaAceita(lido.PastaProjetos))
                return falha(QString::fromUtf8(PastaRelativa));
            continue;
        }
        const Campo *campo = nullptr;
        for (const Campo &c : Campos)
            if (it.key() == c.chave)
                campo = &c;
        if (!campo) {
            lido.Outros[it.key()] = it.value();
            continue;
        }
        if (!it.value().is_number())
            return falha(QStringLiteral("o valor de \"%1\" não é um número").arg(QString::fromUtf8(campo->chave)));
        const double v = it.value().get<double>();
        if (ForaDaFaixa(*campo, v))
            return falha(QString::fromUtf8(campo->descricao));
        if (campo->real)
            lido.*campo->real = v;
        else
            lido.Diretividade = static_cast<int>(v);
    }
    p = std::move(lido);
    return true;
}

bool CarregaPreferencias(const QString &dirDados, TPreferencias &v, QString *erro) {
    const auto le = [&v](const QByteArray &b, QString *motivo) { return PreferenciasDeBytes(b, v, motivo); };
    const auto ausente = [&v] { v = TPreferencias{}; };
    return CarregaArquivoOpcional(Arquivo(dirDados), QStringLiteral("de preferências"), le, ausente, erro);
}

bool GravaPreferencias(const QString &dirDados, const TPreferencias &p, QString *erro) {
    const QString motivo = ValidaPreferencias(p);
    if (!motivo.isEmpty()) {
        if (erro)
            *erro = QStringLiteral("Preferências não gravadas: %1.").arg(motivo);
        return false;
    }
    return GravaArquivoAtomico(Arquivo(dirDados), PreferenciasParaBytes(p), erro);
}

} // namespace quellora
