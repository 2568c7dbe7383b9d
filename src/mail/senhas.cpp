#include "mail/senhas.h"

#include "catalogue/arquivos.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <nlohmann/json.hpp>

namespace quellora {

namespace {

using nlohmann::json;

constexpr QFileDevice::Permissions SoDono = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The accounts of the file; a missing file has none.
bool LeMapa(const QString &arq, json &mapa, QString *erro) {
    mapa = json::object();
    QByteArray b;
    bool existe = false;
    if (!LeArquivoOpcional(arq, b, &existe, erro))
        return false;
    if (!existe)
        return true;
    mapa = json::parse(b.constData(), b.constData() + b.size(), nullptr, false);
    if (mapa.is_discarded() || !mapa.is_object()) {
        if (erro)
            *erro = QStringLiteral("O arquivo de senhas %1 está danificado.").arg(arq);
        mapa = json::object();
        return false;
    }
    return true;
}

bool GravaMapa(const QString &arq, const json &mapa, QString *erro) {
    if (mapa.empty()) {
        if (QFile::exists(arq) && !QFile::remove(arq)) {
            if (erro)
                *erro = QStringLiteral("Não foi possível apagar o arquivo de senhas %1.").arg(arq);
            return false;
        }
        return true;
    }
    // The temporary file is the user's alone before a byte is written.
    QSaveFile f(arq);
    const QByteArray b = QByteArray::fromStdString(mapa.dump(2) + "\n");
    if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(SoDono) || f.write(b) != b.size() || !f.commit()) {
        if (erro)
            *erro = QStringLiteral("Não foi possível gravar o arquivo de senhas %1: %2").arg(arq, f.errorString());
        f.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

CofreArquivo::CofreArquivo(QString dirDados) : dir_(std::move(dirDados)) {}

QString CofreArquivo::Arquivo() const { return QDir::cleanPath(CaminhoEm(dir_, QString::fromLatin1(ArqSenhasEmail))); }

bool CofreArquivo::Le(const QString &conta, QString *senha, QString *erro) {
    senha->clear();
    json mapa;
    if (!LeMapa(Arquivo(), mapa, erro))
        return false;
    const auto it = mapa.find(conta.toStdString());
    if (it != mapa.end() && it->is_string())
        *senha = QString::fromStdString(it->get<std::string>());
    return true;
}

bool CofreArquivo::Grava(const QString &conta, const QString &senha, QString *erro) {
    // A damaged file gives way to one that holds this password.
    json mapa;
    if (!LeMapa(Arquivo(), mapa, nullptr))
        mapa = json::object();
    mapa[conta.toStdString()] = senha.toStdString();
    return GravaMapa(Arquivo(), mapa, erro);
}

bool CofreArquivo::Apaga(const QString &conta, QString *erro) {
    json mapa;
    if (!LeMapa(Arquivo(), mapa, erro))
        return false;
    if (mapa.erase(conta.toStdString()) == 0)
        return true;
    return GravaMapa(Arquivo(), mapa, erro);
}

QString CofreArquivo::Onde() const {
    return QStringLiteral("Sem chaveiro da área de trabalho disponível: a senha fica no arquivo %1, que só o seu "
                          "usuário pode ler.")
        .arg(QDir::toNativeSeparators(Arquivo()));
}

} // namespace quellora
