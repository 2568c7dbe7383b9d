#pragma once
// The quotations, clients and counter of a sales team on one PostgreSQL
// server, through Qt SQL's QPSQL driver. The schema "quellora" is created on
// first use and migrated by its version table. Every save is one
// transaction that adds a revision (none is ever overwritten) and a line to
// the log; numbers are taken under the lock of the counter's row. A lost
// connection, a refused login or a server that is down is said in plain
// words, with the server's own text on a second line.

#include "store/acervo.h"

#include <map>
#include <set>

class QSqlError;

namespace quellora {

inline constexpr int VersaoEsquema = 1;

// A libpq connection string or URI the program may keep: one that parses,
// names no password (that comes from ~/.pgpass or PGPASSWORD) and holds no
// ';'. Empty is libpq's defaults and the PG* environment variables.
[[nodiscard]] bool ValidaConexao(const QString &conexao, QString *erro);

class AcervoServidor : public Acervo {
public:
    explicit AcervoServidor(const QString &conexao);
    ~AcervoServidor() override;
    AcervoServidor(const AcervoServidor &) = delete;
    AcervoServidor &operator=(const AcervoServidor &) = delete;

    bool Servidor() const override { return true; }
    QString Descricao() const override { return descricao_; }

    bool Lista(std::vector<TResumoOrc> &lista, QString *erro) override;
    bool Existe(const QString &nome, bool &existe, QString *erro) override;
    bool LeImagem(const QString &nome, QByteArray &imagem, QString *erro, int revisao = 0) override;
    Gravacao GravaImagem(const QString &nome, const QByteArray &imagem, QString *erro, bool porCima = false) override;
    bool Exclui(const QString &nome, QString *erro) override;
    QString NomeVisivel(const QString &nome) const override;

    bool ProximoNumero(double data, std::int32_t &numero, QString *erro) override;
    bool UsaNumero(const QString &texto, std::int32_t &numero, QString *erro) override;

    bool LeClientes(TDadosTabela &dados, QString *erro) override;
    bool GravaClientes(const TDadosTabela &dados, bool guardaAnterior, QString *erro,
                       QString *guardadoEm = nullptr) override;

    bool Revisoes(const QString &nome, std::vector<TRevisao> &lista, QString *erro) override;
    bool Historico(const QDateTime &desde, std::vector<TEvento> &lista, QString *erro) override;
    bool Responde(QString &estado) override;

    // The Qt SQL connection's name (QSqlDatabase::database).
    QString NomeConexao() const { return nomeConexao_; }

private:
    class Transacao;
    bool Abre(QString *erro);
    bool PreparaEsquema(QString *erro);
    // The message for a failed statement; closes a connection found lost.
    QString Motivo(const QSqlError &e, const QString &oQue);
    // Who saved or deleted the quotation last, for a conflict.
    QString QuemAlterou(const QString &nome, bool excluido);

    QString conexao_;      // as configured
    QString opcoes_;       // libpq keywords for the driver, with our defaults
    QString nomeConexao_;
    QString descricao_;
    // The last revision this store read or saved of each quotation.
    std::map<QString, int> vistas_;
    // The IDs of the clients read (and whether some had none).
    std::set<double> idsClientes_;
    bool clientesSemId_ = false;
};

} // namespace quellora
