#include "mail/chaveiro.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <functional>

namespace quellora {

namespace {

const char *const Servico = "Quellora";
// Long enough for the keyring to ask the user to unlock it.
constexpr int LimiteMs = 30000;

FabricaCofre &Fabrica() {
    static FabricaCofre f;
    return f;
}

// Runs a keyring job to its end or to the limit. NoError, EntryNotFound or
// the failure, with its text.
QKeychain::Error Executa(QKeychain::Job *job, QString *erro, const std::function<void(QKeychain::Job *)> &fim = {}) {
    job->setAutoDelete(true);
    QPointer<QKeychain::Job> vivo(job);
    QEventLoop laco;
    QKeychain::Error resultado = QKeychain::OtherError;
    bool terminou = false;
    QObject::connect(job, &QKeychain::Job::finished, &laco, [&](QKeychain::Job *j) {
        terminou = true;
        resultado = j->error();
        if (fim)
            fim(j);
        if (erro)
            *erro = j->errorString();
        laco.quit();
    });
    QTimer::singleShot(LimiteMs, &laco, &QEventLoop::quit);
    job->start();
    if (!terminou)
        laco.exec();
    if (!terminou) {
        if (vivo)
            QObject::disconnect(vivo, nullptr, &laco, nullptr);
        if (erro)
            *erro = QStringLiteral("o chaveiro não respondeu em %1 s").arg(LimiteMs / 1000);
    }
    return resultado;
}

class CofreChaveiro final : public CofreSenhas {
public:
    explicit CofreChaveiro(const QString &dirDados) : arquivo_(dirDados) {}

    bool Le(const QString &conta, QString *senha, QString *erro) override {
        auto *job = new QKeychain::ReadPasswordJob(QString::fromLatin1(Servico));
        job->setKey(conta);
        QString falha;
        QString lida;
        const QKeychain::Error e = Executa(job, &falha, [&lida](QKeychain::Job *j) {
            lida = static_cast<QKeychain::ReadPasswordJob *>(j)->textData();
        });
        if (e == QKeychain::NoError) {
            *senha = lida;
            return true;
        }
        // Not there, or the keyring failed: a password kept in the file
        // while there was no keyring still counts.
        noArquivo_ = e != QKeychain::EntryNotFound;
        return arquivo_.Le(conta, senha, erro);
    }

    bool Grava(const QString &conta, const QString &senha, QString *erro) override {
        auto *job = new QKeychain::WritePasswordJob(QString::fromLatin1(Servico));
        job->setKey(conta);
        job->setTextData(senha);
        QString falha;
        if (Executa(job, &falha) == QKeychain::NoError) {
            noArquivo_ = false;
            QString ignorado;
            (void)arquivo_.Apaga(conta, &ignorado); // none left behind in the file
            return true;
        }
        noArquivo_ = true;
        motivo_ = falha;
        return arquivo_.Grava(conta, senha, erro);
    }

    bool Apaga(const QString &conta, QString *erro) override {
        auto *job = new QKeychain::DeletePasswordJob(QString::fromLatin1(Servico));
        job->setKey(conta);
        QString falha;
        Executa(job, &falha);
        return arquivo_.Apaga(conta, erro);
    }

    QString Onde() const override {
        if (!noArquivo_)
            return QStringLiteral("A senha fica no chaveiro da área de trabalho.");
        return QStringLiteral("O chaveiro da área de trabalho não respondeu%1: a senha fica no arquivo %2, que só o "
                              "seu usuário pode ler.")
            .arg(motivo_.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(motivo_),
                 QDir::toNativeSeparators(arquivo_.Arquivo()));
    }

private:
    CofreArquivo arquivo_;
    bool noArquivo_ = false;
    QString motivo_;
};

} // namespace

bool ChaveiroDisponivel() {
    // Without a session bus there is nothing to ask, and asking could make
    // the D-Bus library start one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")))))
        return false;
    QDBusConnection barramento = QDBusConnection::sessionBus();
    if (!barramento.isConnected() || !barramento.interface())
        return false;
    const QStringList servicos = {QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd5"),
                                  QStringLiteral("org.kde.kwalletd6"), QStringLiteral("org.kde.kwalletd")};
    const QStringList registrados = barramento.interface()->registeredServiceNames().value();
    const QStringList ativaveis = barramento.interface()->activatableServiceNames().value();
    for (const QString &s : servicos)
        if (registrados.contains(s) || ativaveis.contains(s))
            return true;
    return false;
}

std::unique_ptr<CofreSenhas> CofreDoUsuario(const QString &dirDados) {
    if (Fabrica())
        return Fabrica()(dirDados);
    if (ChaveiroDisponivel())
        return std::make_unique<CofreChaveiro>(dirDados);
    return std::make_unique<CofreArquivo>(dirDados);
}

void DefineFabricaCofre(FabricaCofre f) { Fabrica() = std::move(f); }

} // namespace quellora
