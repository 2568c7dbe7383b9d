#include "catalogue/arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quellora {

namespace {
void Define(QString *erro, const QString &texto) {
    if (erro)
        *erro = texto;
}
QString Nome(const QString &arquivo) { return QDir::toNativeSeparators(arquivo); }
} // namespace

QString CaminhoEm(const QString &dir, const QString &nome) {
    if (dir.isEmpty())
        return nome;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir + nome;
    return dir + QLatin1Char('/') + nome;
}

bool LeRegistros(const QString &arquivo, std::size_t tamanho, qint64 primeiro, qint64 quantos, QByteArray &dados,
                 QString *erro) {
    dados.clear();
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        Define(erro, QStringLiteral("Arquivo \"%1\" não encontrado.").arg(Nome(arquivo)));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        Define(erro, QStringLiteral("Não foi possível abrir \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        return false;
    }
    const qint64 t = static_cast<qint64>(tamanho);
    const qint64 registros = f.size() / t;
    if (primeiro < 0 || primeiro >= registros + (f.size() % t ? 1 : 0)) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": o registro %2 está além do fim do arquivo.")
                         .arg(Nome(arquivo))
                         .arg(primeiro));
        return false;
    }
    if (primeiro + quantos > registros) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": o arquivo termina antes do registro %2.")
                         .arg(Nome(arquivo))
                         .arg(std::max(registros, primeiro)));
        return false;
    }
    if (!f.seek(primeiro * t)) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        return false;
    }
    dados = f.read(quantos * t);
    if (dados.size() != quantos * t) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        dados.clear();
        return false;
    }
    return true;
}

bool LeTodosRegistros(const QString &arquivo, std::size_t tamanho, QByteArray &dados, QString *erro) {
    dados.clear();
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        Define(erro, QStringLiteral("Arquivo \"%1\" não encontrado.").arg(Nome(arquivo)));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        Define(erro, QStringLiteral("Não foi possível abrir \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        return false;
    }
    const qint64 t = static_cast<qint64>(tamanho);
    if (f.size() % t != 0) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": o arquivo termina antes do registro %2.")
                         .arg(Nome(arquivo))
                         .arg(f.size() / t));
        return false;
    }
    dados = f.readAll();
    if (dados.size() != f.size()) {
        Define(erro, QStringLiteral("Erro de leitura em \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        dados.clear();
        return false;
    }
    return true;
}

bool LeArquivoOpcional(const QString &arquivo, QByteArray &dados, bool *existe, QString *erro) {
    dados.clear();
    *existe = QFileInfo::exists(arquivo);
    if (!*existe)
        return true;
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        Define(erro, QStringLiteral("Não foi possível ler o arquivo %1: %2").arg(arquivo, f.errorString()));
        return false;
    }
    dados = f.readAll();
    return true;
}

bool CarregaArquivoOpcional(const QString &arquivo, const QString &oque,
                            const std::function<bool(const QByteArray &, QString *)> &le,
                            const std::function<void()> &ausente, QString *erro) {
    QByteArray dados;
    bool existe = false;
    if (!LeArquivoOpcional(arquivo, dados, &existe, erro))
        return false;
    if (!existe) {
        ausente();
        return true;
    }
    QString motivo;
    if (!le(dados, &motivo)) {
        Define(erro, QStringLiteral("O arquivo %1 %2 está danificado: %3.").arg(oque, arquivo, motivo));
        return false;
    }
    return true;
}

bool GravaArquivoAtomico(const QString &arquivo, const QByteArray &dados, QString *erro) {
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly)) {
        Define(erro, QStringLiteral("Não foi possível gravar \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        return false;
    }
    if (f.write(dados) != dados.size() || !f.commit()) {
        Define(erro, QStringLiteral("Erro de gravação em \"%1\": %2.").arg(Nome(arquivo), f.errorString()));
        f.cancelWriting();
        return false;
    }
    return true;
}

} // namespace quellora
