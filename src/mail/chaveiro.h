#pragma once
// The desktop's keyring (Secret Service or KWallet, through QtKeychain) as
// the store of the mail password, with the 0600 file of mail/senhas.h where
// no keyring answers: a machine without a desktop session, CI. Built apart
// from the core logic, for the program and quellora-cli.

#include "mail/senhas.h"

#include <functional>
#include <memory>

namespace quellora {

// True when a keyring service is on the session bus (or can be started by
// it). Asks nothing of the keyring itself and never waits long.
bool ChaveiroDisponivel();

// The store the program uses for the data folder 'dirDados': the keyring
// when one answers, else the file. Each keyring request is given a few
// seconds; one that takes longer, or fails, falls back to the file, and
// Onde() then says so.
std::unique_ptr<CofreSenhas> CofreDoUsuario(const QString &dirDados);

// Tests put another store in its place (null: the user's again).
using FabricaCofre = std::function<std::unique_ptr<CofreSenhas>(const QString &dirDados)>;
void DefineFabricaCofre(FabricaCofre f);

} // namespace quellora
