#include "shell/windows/recursos.h"

#include "proposal/desenhos_item.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void RegistraRecursos() { Q_INIT_RESOURCE(quellora); }

namespace quellora {
void IniciaRecursos() {
    static const bool feito = (RegistraRecursos(), IniciaDesenhos(), true);
    (void)feito;
}
} // namespace quellora
