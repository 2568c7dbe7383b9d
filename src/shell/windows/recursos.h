#pragma once
// The program's built-in resources (pictures, help). Windows that use them
// call IniciaRecursos() first; it registers them once.

namespace quellora {
void IniciaRecursos();
}
