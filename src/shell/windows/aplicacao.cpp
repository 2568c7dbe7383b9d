#include "shell/windows/aplicacao.h"

#include "shell/windows/mensagem.h"

#include <exception>

namespace quellora {

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
