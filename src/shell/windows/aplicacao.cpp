#include "shell/windows/aplicacao.h"

#include "shell/windows/mensagem.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace quellora {

QTranslator *CarregaTraducoes() {
    auto *app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    auto *t = new QTranslator(app);
    const QString nome = QStringLiteral("qtbase_pt_BR");
    if ((t->load(nome, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
         t->load(nome, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")))) &&
        QCoreApplication::installTranslator(t))
        return t;
    delete t;
    return nullptr;
}

AplicacaoQuellora::AplicacaoQuellora(int &argc, char **argv) : QApplication(argc, argv) {}

bool ExecutaProtegido(const std::function<bool()> &tratamento) {
    try {
        return tratamento();
    } catch (const std::exception &e) {
        MensagemErro(QString::fromUtf8(e.what()));
    } catch (...) {
        MensagemErro(QStringLiteral("Erro inesperado."));
    }
    return false;
}

bool AplicacaoQuellora::notify(QObject *receptor, QEvent *evento) {
    return ExecutaProtegido([&] { return QApplication::notify(receptor, evento); });
}

} // namespace quellora
