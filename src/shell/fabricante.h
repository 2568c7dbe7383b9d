#pragma once
// The maker of the fans: the one name and address every window and document
// shows (main panel, about box, logo, proposal pages and HTML, data sheets,
// the default freight text, the e-mail's HELO name). Quellora is the
// program's name, not the maker's.

namespace quellora {

struct DadosFabricante {
    static constexpr const char *Nome = "Dravolin Brum Ltda.";
    // The name the documents' headings print, in two words of two colours.
    static constexpr const char *Marca1 = "Dravolin";
    static constexpr const char *Marca2 = "Brum";
    static constexpr const char *Cidade = "Guarulhos/SP";
    static constexpr const char *Endereco = "Av. Santos Dumont, 1.850 - Cumbica - Guarulhos/SP";
    static constexpr const char *Fone = "(11) 2468-7700";
    static constexpr const char *Telefone = "Fone: (11) 2468-7700   Fax: (11) 2468-7701";
    static constexpr const char *EnderecoFabrica = "fabrica@dravolinbrum.com.br";
    static constexpr const char *EnderecoVendas = "vendas@dravolinbrum.com.br";
    static constexpr const char *EmailFabrica = "Fábrica: fabrica@dravolinbrum.com.br";
    static constexpr const char *EmailVendas = "Vendas: vendas@dravolinbrum.com.br";
};

} // namespace quellora
