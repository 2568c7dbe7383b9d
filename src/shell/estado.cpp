#include "shell/estado.h"

#include <memory>

namespace quellora {

namespace {
std::unique_ptr<TEstado> &Instancia() {
    static std::unique_ptr<TEstado> e = std::make_unique<TEstado>();
    return e;
}
} // namespace

TEstado &G() { return *Instancia(); }

void ResetaEstado() {
    // In place, so that references to the state stay valid.
    auto novo = std::make_unique<TEstado>();
    *Instancia() = std::move(*novo);
}

} // namespace quellora
