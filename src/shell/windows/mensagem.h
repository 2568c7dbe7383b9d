#pragma once
// The one way the program puts a message box in front of the user. Tests
// replace the user with a respondedor that answers (and records) every box.

#include <QString>

#include <functional>

class QWidget;

namespace quellora {

// Message-box styles the windows use.
enum EstiloMensagem : int {
    MB_OK_EXCLAMACAO = 48,        // exclamation, OK
    MB_OKCANCEL_EXCLAMACAO = 49,  // exclamation, OK and Cancel
    MB_SIMNAOCANCEL_EXCLAMACAO = 51, // exclamation, Yes, No and Cancel
    MB_SIMNAO_EXCLAMACAO = 52,    // exclamation, Yes and No
    MB_ERRO = 16,                 // error icon, OK
    MB_INFORMACAO = 64,           // information icon, OK
};

// Results.
enum RespostaMensagem : int { ID_OK = 1, ID_CANCEL = 2, ID_SIM = 6, ID_NAO = 7 };

inline constexpr const char *TituloAplicacao = "Seleção de Ventiladores-Clientes";

// Modal box with the application title as caption; returns 1, 2, 6 or 7.
int Mensagem(const QString &texto, int estilo = MB_OK_EXCLAMACAO);
// Error box (error icon, caption "Erro"): file and input/output errors and
// refusals reported as errors.
void MensagemErro(const QString &texto);
// Plain information box with OK (caption: application title), e.g. the
// messages a window shows with no icon.
void MensagemInfo(const QString &texto);

// Test hook: every box is answered by this function instead of the user.
// 'estilo' is MB_ERRO for MensagemErro and MB_INFORMACAO for MensagemInfo.
using Respondedor = std::function<int(const QString &texto, int estilo)>;
void DefineRespondedor(Respondedor r);
bool TemRespondedor();

// Busy pointer for the lifetime of the object, restored also on error.
class CursorOcupado {
public:
    CursorOcupado();
    ~CursorOcupado();
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

} // namespace quellora
