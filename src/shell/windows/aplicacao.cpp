#include "shell/windows/aplicacao.h"

#include "shell/windows/mensagem.h"

#include <exception>

namespace quellora {

AplicacaoQuellora::AplicacaoQuellora(int &argc, char **argv) : QApplication(argc, argv) {}

bool AplicacaoQuellora::notify(QObject *receptor, QEvent *evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception &e) {
        MensagemErro(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        MensagemErro(QStringLiteral("Erro inesperado."));
    }
    return false;
}

} // namespace quellora
