#pragma once
// The client table (mtClientes of the data module Tdm): its twelve fields,
// the order by client name, the check made before every post, and the
// client file "clientes.dat" in the data directory that keeps it between
// runs (a container of lzh.h around the table stream of fluxo.h).

#include "clients/tabela.h"

#include <QString>

namespace quellora {

class Acervo;

inline constexpr const char *ArquivoClientes = "clientes.dat";
inline constexpr const char *MsgNomeCliente = "Você precisa informar pelo menos o nome do cliente!";

// Sizes a hostile or damaged file is refused at before anything is decoded
// (a 32 MB table stream holds some 190 000 clients).
inline constexpr qint64 LimiteArquivoClientes = 8 * 1024 * 1024;
inline constexpr qint64 LimiteFluxoClientes = 32 * 1024 * 1024;

// The data module: the table and what the program knows about its file.
struct Tdm {
    TTabela mtClientes;
    bool Carregada = false;       // LoadClientTable has run
    bool ArquivoRecusado = false; // the file present at load could not be read
};

// ID, Cliente, Contato, Fone, Fax, Endereco, Cidade_Estado, email,
// descontoV, descontoM, Data, Obs.
QList<TDefCampo> CamposClientes();

// Defines the fields, the order by Cliente and the check before posting;
// drops every record and clears the modified mark.
void PreparaTabelaClientes(TTabela &tabela);

// The check before every post: a name that is not blank (blanks and control
// characters do not count), and an ID (now, as a day count) for a record
// that has none.
bool VerificaCliente(TTabela &tabela, QString *erro);

// The client file at 'caminho' read into 'dados' (whose fields are the
// table's until the file brings its own). A missing file reads nothing and
// succeeds. A file that cannot be read is refused with a message that names
// it; 'dados' is then left as it was.
[[nodiscard]] bool LeArquivoClientes(const QString &caminho, TDadosTabela &dados, QString *erro);
// Writes the table to the file, replacing the old file only once the new one
// is complete. With 'guardaAnterior' (the file present at load had been
// refused) the old file is first copied aside ('guardadoEm' gets the copy's
// path).
[[nodiscard]] bool GravaArquivoClientes(const QString &caminho, const TDadosTabela &dados, bool guardaAnterior,
                                        QString *erro, QString *guardadoEm = nullptr);

// Sets up G().dm.mtClientes and loads the clients of the store (a missing
// client file is an empty table). Clients that cannot be read leave the
// table empty, are reported with a message that names where they are, and
// are kept aside by the next save rather than lost.
[[nodiscard]] bool LoadClientTable(Acervo &acervo, QString *erro);
// Writes the whole table to the store.
[[nodiscard]] bool SaveClientTable(Acervo &acervo, QString *erro, QString *guardadoEm = nullptr);
// The same on the client file "clientes.dat" of a data directory.
[[nodiscard]] bool LoadClientTable(const QString &dirDados, QString *erro);
[[nodiscard]] bool SaveClientTable(const QString &dirDados, QString *erro, QString *guardadoEm = nullptr);

// The chosen client, as the client window hands it back.
struct DadosCliente {
    QString Cliente;
    QString Endereco;
    QString Cidade_Estado;
    QString Contato;
    QString Fone;
    QString Fax;
    QString email;
    double descontoV = 0;
    double descontoM = 0;
};

// A discount as typed: the number in the user's locale, or 0.
double DescontoDoTexto(const QString &texto);

} // namespace quellora
