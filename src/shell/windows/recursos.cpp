#include "shell/windows/recursos.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void RegistraRecursos() { Q_INIT_RESOURCE(quellora); }

namespace quellora {
void IniciaRecursos() {
    static const bool feito = (RegistraRecursos(), true);
    (void)feito;
}
} // namespace quellora
