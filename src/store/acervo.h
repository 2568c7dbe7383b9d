#pragma once
// Where the quotations, the clients and the proposal counter are kept: the
// projects and data folders (on this computer or a network share), or a
// PostgreSQL server shared by a sales team, which also keeps every revision
// of every quotation and a log of who did what. The windows and quellora-cli
// reach them only through Acervo; which one is in use is the choice kept in
// "banco.json" in the data folder (no file: the folders).
//
// Quotations are known by their file name ("0012_03.orc"), in a folder and
// on a server alike, so a folder copied to a server and back keeps its names.

#include "clients/tabela.h"
#include "quotation/arquivo_orc.h"
#include "quotation/propostas.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace quellora {

enum class Gravacao {
    Gravada,
    // Saved by someone else since this store last read or saved it; the
    // message says who and when. Nothing was written.
    Conflito,
    Falhou,
};

// One save of a quotation on a server.
struct TRevisao {
    int Numero = 0; // 1 for the first save
    QDateTime Quando;
    QString Usuario;  // the database user
    QString Operador; // the operator's name in the program that saved it
    qint64 Tamanho = 0;
};

// One line of a server's log.
struct TEvento {
    QDateTime Quando;
    QString Usuario, Operador;
    QString Acao;      // "salvo", "excluído", "numerado", "clientes"
    QString Orcamento; // the quotation's name, empty when none
    QString Detalhe;
};

class Acervo {
public:
    virtual ~Acervo() = default;

    // Keeps revisions and a log (a server).
    virtual bool Servidor() const = 0;
    // Where the data are, for messages: the projects folder's path, or the
    // server.
    virtual QString Descricao() const = 0;
    // The operator's name recorded with what this store writes from now on.
    void DefineOperador(const QString &nome) { operador_ = nome; }

    // --- Quotations ---
    // Every quotation, in the store's order (a folder's, or by name).
    [[nodiscard]] virtual bool Lista(std::vector<TResumoOrc> &lista, QString *erro) = 0;
    [[nodiscard]] virtual bool Existe(const QString &nome, bool &existe, QString *erro) = 0;
    // The file image of the quotation: its last revision, or revision n.
    [[nodiscard]] virtual bool LeImagem(const QString &nome, QByteArray &imagem, QString *erro, int revisao = 0) = 0;
    // Saves the image whole or not at all. A server refuses, with Conflito,
    // to write over a quotation saved by someone else since this store last
    // read or saved it, unless 'porCima'; then, as every save there, it adds
    // a revision.
    virtual Gravacao GravaImagem(const QString &nome, const QByteArray &imagem, QString *erro,
                                 bool porCima = false) = 0;
    // A folder deletes the file; a server marks the quotation deleted and
    // keeps its revisions. A failure without a reason of its own leaves
    // 'erro' empty.
    [[nodiscard]] virtual bool Exclui(const QString &nome, QString *erro) = 0;
    // How the messages name a quotation of this store.
    virtual QString NomeVisivel(const QString &nome) const = 0;

    // --- Numbering ---
    // The next number of the counter, passing over numbers whose quotation
    // (named with the year of 'data') already exists.
    [[nodiscard]] virtual bool ProximoNumero(double data, std::int32_t &numero, QString *erro) = 0;
    // A typed number (NumeroDoTexto): handed out as it is, the counter moved
    // past it.
    [[nodiscard]] virtual bool UsaNumero(const QString &texto, std::int32_t &numero, QString *erro) = 0;

    // --- Clients ---
    // The client table's fields and records ('dados.Campos' holds the
    // program's fields when called; a folder's file may bring its own).
    [[nodiscard]] virtual bool LeClientes(TDadosTabela &dados, QString *erro) = 0;
    // Writes the table. 'guardaAnterior': the last reading failed, so what
    // is there is kept aside first ('guardadoEm' gets where). On a server
    // only the clients this store read, and those given, are replaced:
    // clients added meanwhile by others stay.
    [[nodiscard]] virtual bool GravaClientes(const TDadosTabela &dados, bool guardaAnterior, QString *erro,
                                             QString *guardadoEm = nullptr) = 0;

    // --- History (a server; a folder keeps none and says so) ---
    [[nodiscard]] virtual bool Revisoes(const QString &nome, std::vector<TRevisao> &lista, QString *erro);
    [[nodiscard]] virtual bool Historico(const QDateTime &desde, std::vector<TEvento> &lista, QString *erro);
    // Whether the data can be reached now; 'estado' says what is in use.
    virtual bool Responde(QString &estado) = 0;

protected:
    QString operador_;
};

// The quotation read and checked (a damaged image is refused in plain
// words, the detail on a second line).
[[nodiscard]] bool LeOrcamento(Acervo &acervo, const QString &nome, TArquivoOrc &a, QString *erro, int revisao = 0);
Gravacao GravaOrcamento(Acervo &acervo, const QString &nome, const TArquivoOrc &a, QString *erro,
                        bool porCima = false);

// --- Which store: "banco.json" in the data folder -------------------------

inline constexpr const char *ArqBanco = "banco.json";

struct TConfigBanco {
    bool Servidor = false;
    // A libpq connection string or URI; empty: libpq's defaults and the
    // PG* environment variables. Never a password.
    QString Conexao;
};

// A folder without the file: the folders. A file that cannot be read is
// refused with a message naming it.
[[nodiscard]] bool LeConfigBanco(const QString &dirDados, TConfigBanco &c, QString *erro);
// Writes the file (refusing a connection string that holds a password or
// does not parse); Servidor false removes it.
[[nodiscard]] bool GravaConfigBanco(const QString &dirDados, const TConfigBanco &c, QString *erro);

// The store a configuration names. The folders are 'dirDados' (counter,
// clients) and 'dirProjetos' (quotations).
std::unique_ptr<Acervo> CriaAcervo(const TConfigBanco &c, const QString &dirDados, const QString &dirProjetos);
// The configured store of the data folder; when the configuration cannot be
// read, a store that refuses every operation with that message (never the
// folders in place of a configured server).
std::unique_ptr<Acervo> AcervoConfigurado(const QString &dirDados, const QString &dirProjetos);

} // namespace quellora
