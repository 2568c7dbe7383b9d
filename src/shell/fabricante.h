#pragma once
// The maker of the fans: the one name and address every window and document
// shows (main panel, about box, proposal pages, data sheets, e-mail).

namespace quellora {

struct DadosFabricante {
    static constexpr const char *Nome = "Quellora Ventiladores Industriais Ltda.";
    static constexpr const char *Endereco = "Rod. Anhanguera, km 58,5 - Distrito Industrial - Jundiaí/SP";
    static constexpr const char *Telefone = "Fone: (11) 4525-7700   Fax: (11) 4525-7701";
    static constexpr const char *EmailFabrica = "Fábrica: fabrica@quellora.ind.br";
    static constexpr const char *EmailVendas = "Vendas: vendas@quellora.ind.br";
};

} // namespace quellora
