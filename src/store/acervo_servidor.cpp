#include "store/acervo_servidor.h"

#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "quotation/numeracao.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QLibrary>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <libpq-fe.h>
#include <nlohmann/json.hpp>

#include <limits>

namespace quellora {

namespace {

const QString Driver = QStringLiteral("QPSQL");

bool Falha(QString *erro, const QString &texto) {
    if (erro)
        *erro = texto;
    return false;
}

// libpq, opened on the first use of a server rather than with the program:
// it brings some twenty libraries (Kerberos, LDAP, TLS) that a start-up
// without a server has no use for. The Qt SQL driver opens the same library,
// so the connection handles it gives are ours to read.
struct Libpq {
    decltype(&::PQconninfoParse) PQconninfoParse = nullptr;
    decltype(&::PQconninfoFree) PQconninfoFree = nullptr;
    decltype(&::PQfreemem) PQfreemem = nullptr;
    decltype(&::PQping) PQping = nullptr;
    decltype(&::PQhost) PQhost = nullptr;
    decltype(&::PQport) PQport = nullptr;
    decltype(&::PQdb) PQdb = nullptr;
    decltype(&::PQstatus) PQstatus = nullptr;
};

const Libpq *Pq(QString *erro) {
    static const Libpq *const pq = [] () -> const Libpq * {
        static QLibrary lib(QStringLiteral("pq"), 5);
        if (!lib.load())
            return nullptr;
        static Libpq f;
        bool ok = true;
        auto liga = [&](auto &funcao, const char *nome) {
            funcao = reinterpret_cast<std::remove_reference_t<decltype(funcao)>>(lib.resolve(nome));
            ok &= funcao != nullptr;
        };
        liga(f.PQconninfoParse, "PQconninfoParse");
        liga(f.PQconninfoFree, "PQconninfoFree");
        liga(f.PQfreemem, "PQfreemem");
        liga(f.PQping, "PQping");
        liga(f.PQhost, "PQhost");
        liga(f.PQport, "PQport");
        liga(f.PQdb, "PQdb");
        liga(f.PQstatus, "PQstatus");
        return ok ? &f : nullptr;
    }();
    if (!pq)
        Falha(erro, QStringLiteral("Este computador não tem a biblioteca do PostgreSQL (libpq, pacote libpq5): "
                                   "o servidor não pode ser usado."));
    return pq;
}

// A value for a libpq keyword, quoted as a connection string wants it.
QString Aspas(QString v) {
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

struct Opcoes {
    QList<std::pair<QString, QString>> pares; // keyword, value
    QString valor(const char *chave) const {
        for (const auto &p : pares)
            if (p.first == QLatin1String(chave))
                return p.second;
        return {};
    }
    bool tem(const char *chave) const {
        for (const auto &p : pares)
            if (p.first == QLatin1String(chave))
                return true;
        return false;
    }
    QString texto() const {
        QStringList l;
        for (const auto &p : pares)
            l << p.first + QLatin1Char('=') + Aspas(p.second);
        return l.join(QLatin1Char(' '));
    }
};

// The keywords a connection string or URI sets, as libpq reads them.
bool Analisa(const QString &conexao, Opcoes &o, QString *erro) {
    const Libpq *pq = Pq(erro);
    if (!pq)
        return false;
    char *msg = nullptr;
    PQconninfoOption *opcoes = pq->PQconninfoParse(conexao.toUtf8().constData(), &msg);
    if (!opcoes) {
        const QString motivo = msg ? QString::fromUtf8(msg).trimmed() : QStringLiteral("memória insuficiente");
        if (msg)
            pq->PQfreemem(msg);
        return Falha(erro, QStringLiteral("A conexão \"%1\" não pôde ser lida: %2").arg(conexao, motivo));
    }
    for (PQconninfoOption *p = opcoes; p->keyword; ++p)
        if (p->val)
            o.pares.append({QString::fromUtf8(p->keyword), QString::fromUtf8(p->val)});
    pq->PQconninfoFree(opcoes);
    return true;
}

QString Env(const char *nome) { return qEnvironmentVariable(nome); }

PGconn *Conexao(const QSqlDatabase &db) {
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "PGconn*") != 0)
        return nullptr;
    return *static_cast<PGconn *const *>(v.data());
}

// The server's own words, or the driver's.
QString Detalhe(const QSqlError &e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    return t;
}

double Epoca(const QDateTime &t) { return static_cast<double>(t.toMSecsSinceEpoch()) / 1000.0; }
QDateTime DeEpoca(const QVariant &v) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(v.toDouble() * 1000.0)));
}

QString Quem(const QString &usuario, const QString &operador) {
    return operador.isEmpty() ? usuario : QStringLiteral("%1 (%2)").arg(operador, usuario);
}

QString Momento(const QDateTime &t) { return t.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm")); }

// The schema, version by version: migrating from version v runs the lists
// v+1 .. VersaoEsquema.
const char *const Versao1[] = {
    "CREATE TABLE quellora.orcamentos ("
    " nome text PRIMARY KEY,"
    " numero text NOT NULL,"
    " data double precision NOT NULL,"
    " cliente text NOT NULL,"
    " projeto text NOT NULL,"
    " total double precision NOT NULL,"
    " legivel boolean NOT NULL,"
    " revisao integer NOT NULL,"
    " excluido boolean NOT NULL DEFAULT false)",
    "CREATE INDEX orcamentos_numero ON quellora.orcamentos (numero)",
    "CREATE INDEX orcamentos_data ON quellora.orcamentos (data)",
    "CREATE INDEX orcamentos_cliente ON quellora.orcamentos (cliente)",
    "CREATE INDEX orcamentos_projeto ON quellora.orcamentos (projeto)",
    "CREATE INDEX orcamentos_total ON quellora.orcamentos (total)",
    "CREATE TABLE quellora.revisoes ("
    " nome text NOT NULL REFERENCES quellora.orcamentos (nome),"
    " revisao integer NOT NULL,"
    " imagem bytea NOT NULL,"
    " quando timestamptz NOT NULL DEFAULT now(),"
    " usuario text NOT NULL DEFAULT session_user,"
    " operador text NOT NULL,"
    " PRIMARY KEY (nome, revisao))",
    "CREATE TABLE quellora.clientes ("
    " linha bigserial PRIMARY KEY,"
    " id double precision, cliente text, contato text, fone text, fax text, endereco text,"
    " cidade_estado text, email text, descontov double precision, descontom double precision,"
    " data double precision, obs text)",
    "CREATE INDEX clientes_id ON quellora.clientes (id)",
    "CREATE TABLE quellora.contador (proximo integer NOT NULL)",
    "INSERT INTO quellora.contador VALUES (1)",
    "CREATE TABLE quellora.historico ("
    " id bigserial PRIMARY KEY,"
    " quando timestamptz NOT NULL DEFAULT now(),"
    " usuario text NOT NULL DEFAULT session_user,"
    " operador text NOT NULL,"
    " acao text NOT NULL,"
    " orcamento text,"
    " detalhe text NOT NULL)",
    "CREATE INDEX historico_quando ON quellora.historico (quando)",
};
const struct {
    const char *const *comandos;
    std::size_t quantos;
} Migracoes[] = {{Versao1, std::size(Versao1)}};
static_assert(std::size(Migracoes) == VersaoEsquema);

// The client table's fields as the server's columns, in field order.
const char *const ColunasClientes[] = {"id",       "cliente", "contato",   "fone",      "fax",  "endereco",
                                       "cidade_estado", "email", "descontov", "descontom", "data", "obs"};
bool ColunaReal(std::size_t c) { return c == 0 || c == 8 || c == 9 || c == 10; }

QAtomicInt Conexoes;

} // namespace

bool ValidaConexao(const QString &conexao, QString *erro) {
    Opcoes o;
    if (!Analisa(conexao, o, erro))
        return false;
    if (o.tem("password"))
        return Falha(erro, QStringLiteral("A conexão não pode trazer a senha: o programa não a guarda. Ponha a senha "
                                          "no arquivo ~/.pgpass (ou na variável PGPASSWORD)."));
    for (const auto &p : o.pares)
        if (p.second.contains(QLatin1Char(';')))
            return Falha(erro, QStringLiteral("A conexão não pode ter \";\" (em %1).").arg(p.first));
    return true;
}

// One transaction, rolled back unless confirmed; 'oQue' names it in the
// messages ("a gravação da proposta 0012_03.orc").
class AcervoServidor::Transacao {
public:
    Transacao(AcervoServidor &a, QString oQue) : a_(a), oQue_(std::move(oQue)) {}
    ~Transacao() {
        QSqlDatabase db = QSqlDatabase::database(a_.nomeConexao_, false);
        if (ativa_ && db.isOpen())
            db.rollback();
    }
    // Opens the connection if need be and begins. A connection found dead
    // at the start (the server restarted since the last use) is opened again
    // once: nothing had been sent on it.
    bool inicia(QString *erro) {
        for (int tentativa = 0; tentativa < 2; ++tentativa) {
            if (!a_.Abre(erro))
                return false;
            QSqlDatabase db = QSqlDatabase::database(a_.nomeConexao_, false);
            if (db.transaction()) {
                ativa_ = true;
                return true;
            }
            const QString m = a_.Motivo(db.lastError(), oQue_);
            if (db.isOpen() || tentativa == 1)
                return Falha(erro, m);
        }
        return false;
    }
    // Begins and runs the first statement.
    bool inicia(QSqlQuery &q, const QString &sql, const QVariantList &valores, QString *erro) {
        return inicia(erro) && executa(q, sql, valores, erro);
    }
    QSqlQuery consulta() const {
        QSqlQuery q(QSqlDatabase::database(a_.nomeConexao_, false));
        q.setForwardOnly(true);
        return q;
    }
    // Runs a statement with its values.
    bool executa(QSqlQuery &q, const QString &sql, const QVariantList &valores, QString *erro) {
        // Without values, sent as it is (LOCK, for one, cannot be prepared).
        bool ok = valores.isEmpty() ? q.exec(sql) : q.prepare(sql);
        if (ok && !valores.isEmpty()) {
            for (const QVariant &v : valores)
                q.addBindValue(v);
            ok = q.exec();
        }
        return ok || Falha(erro, a_.Motivo(q.lastError(), oQue_));
    }
    bool confirma(QString *erro) {
        QSqlDatabase db = QSqlDatabase::database(a_.nomeConexao_, false);
        ativa_ = false;
        return db.commit() || Falha(erro, a_.Motivo(db.lastError(), oQue_));
    }
    // A line of the log, in this transaction.
    bool registra(const QString &acao, const QString &orcamento, const QString &detalhe, QString *erro) {
        QSqlQuery q = consulta();
        return executa(q,
                       QStringLiteral("INSERT INTO quellora.historico (operador, acao, orcamento, detalhe) "
                                      "VALUES (coalesce(?, ''), ?, ?, coalesce(?, ''))"),
                       {a_.operador_, acao, orcamento.isEmpty() ? QVariant() : QVariant(orcamento), detalhe}, erro);
    }

private:
    AcervoServidor &a_;
    QString oQue_;
    bool ativa_ = false;
};

AcervoServidor::AcervoServidor(const QString &conexao)
    : conexao_(conexao), nomeConexao_(QStringLiteral("quellora-%1").arg(Conexoes.fetchAndAddRelaxed(1))) {
    Opcoes o;
    Analisa(conexao, o, nullptr);
    if (!o.tem("application_name") && Env("PGAPPNAME").isEmpty())
        o.pares.append({QStringLiteral("application_name"), QStringLiteral("quellora")});
    if (!o.tem("connect_timeout") && Env("PGCONNECT_TIMEOUT").isEmpty())
        o.pares.append({QStringLiteral("connect_timeout"), QStringLiteral("10")});
    opcoes_ = o.texto();
    auto ou = [&](const char *chave, const char *env, const char *padrao) {
        QString v = o.valor(chave);
        if (v.isEmpty())
            v = Env(env);
        return v.isEmpty() ? QString::fromUtf8(padrao) : v;
    };
    descricao_ = QStringLiteral("servidor PostgreSQL %1:%2, banco %3")
                     .arg(ou("host", "PGHOST", "localhost"), ou("port", "PGPORT", "5432"),
                          ou("dbname", "PGDATABASE", "padrão"));
    QSqlDatabase db = QSqlDatabase::addDatabase(Driver, nomeConexao_);
    db.setConnectOptions(opcoes_);
}

AcervoServidor::~AcervoServidor() {
    {
        QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(nomeConexao_);
}

QString AcervoServidor::NomeVisivel(const QString &nome) const {
    return QStringLiteral("\"%1\" do %2").arg(nome, descricao_);
}

bool AcervoServidor::Abre(QString *erro) {
    QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
    if (db.isOpen())
        return true;
    if (!db.isValid() || !db.isDriverAvailable(Driver))
        return Falha(erro, QStringLiteral("Este computador não tem o acesso do Qt ao PostgreSQL (o módulo QPSQL, "
                                          "pacote libqt6sql6-psql): o %1 não pode ser usado.")
                               .arg(descricao_));
    QString motivo;
    if (!ValidaConexao(conexao_, &motivo))
        return Falha(erro, motivo);
    if (!db.open()) {
        const QString detalhe = Detalhe(db.lastError());
        QString texto;
        const Libpq *pq = Pq(nullptr);
        switch (pq ? pq->PQping(opcoes_.toUtf8().constData()) : PQPING_NO_RESPONSE) {
        case PQPING_OK:
            texto = QStringLiteral("O %1 recusou a entrada: confira o usuário, a senha (em ~/.pgpass ou PGPASSWORD) "
                                   "e o nome do banco.");
            break;
        case PQPING_REJECT:
            texto = QStringLiteral("O %1 não está aceitando conexões agora (está iniciando ou desligando). "
                                   "Tente de novo em instantes.");
            break;
        case PQPING_NO_ATTEMPT:
            texto = QStringLiteral("A conexão com o %1 está mal escrita.");
            break;
        default:
            texto = QStringLiteral("O %1 não responde: ele pode estar desligado, ou a rede não chega até ele.");
            break;
        }
        return Falha(erro, texto.arg(descricao_) + QStringLiteral("\r\n") + detalhe);
    }
    const Libpq *pq = Pq(nullptr);
    if (PGconn *c = Conexao(db); c && pq)
        descricao_ = QStringLiteral("servidor PostgreSQL %1:%2, banco %3")
                         .arg(QString::fromUtf8(pq->PQhost(c)), QString::fromUtf8(pq->PQport(c)),
                              QString::fromUtf8(pq->PQdb(c)));
    if (!PreparaEsquema(erro)) {
        db.close();
        return false;
    }
    return true;
}

QString AcervoServidor::Motivo(const QSqlError &e, const QString &oQue) {
    QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
    PGconn *c = Conexao(db);
    const QString detalhe = Detalhe(e);
    const Libpq *pq = Pq(nullptr);
    if (!db.isOpen() || !c || !pq || pq->PQstatus(c) == CONNECTION_BAD) {
        if (db.isOpen())
            db.close();
        return QStringLiteral("A conexão com o %1 caiu durante %2, que não se completou; o que está na tela "
                              "continua como estava. Tente de novo quando o servidor voltar.\r\n%3")
            .arg(descricao_, oQue, detalhe);
    }
    return QStringLiteral("O %1 recusou %2.\r\n%3").arg(descricao_, oQue, detalhe);
}

bool AcervoServidor::PreparaEsquema(QString *erro) {
    QSqlDatabase db = QSqlDatabase::database(nomeConexao_, false);
    const QString oQue = QStringLiteral("a preparação das tabelas do programa");
    QSqlQuery q(db);
    auto versao = [&](int &v) {
        // Looked up in the catalogue itself: a name looked up and not found
        // would stay "not found" in this session after another program
        // made it.
        if (!q.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = "
                                   "c.relnamespace WHERE n.nspname = 'quellora' AND c.relname = 'esquema')")) ||
            !q.next())
            return Falha(erro, Motivo(q.lastError(), oQue));
        v = 0;
        if (!q.value(0).toBool())
            return true;
        if (!q.exec(QStringLiteral("SELECT coalesce(max(versao), 0) FROM quellora.esquema")) || !q.next())
            return Falha(erro, Motivo(q.lastError(), oQue));
        v = q.value(0).toInt();
        return true;
    };
    int v = 0;
    if (!versao(v))
        return false;
    if (v > VersaoEsquema)
        return Falha(erro, QStringLiteral("As tabelas do %1 são de uma versão mais nova do programa (esquema %2; "
                                          "este programa conhece até o %3). Atualize o programa.")
                               .arg(descricao_)
                               .arg(v)
                               .arg(VersaoEsquema));
    if (v == VersaoEsquema)
        return true;
    // Created or migrated by one program at a time.
    if (!db.transaction())
        return Falha(erro, Motivo(db.lastError(), oQue));
    auto desfaz = [&](const QSqlError &e) {
        const QString m = Motivo(e, oQue);
        db.rollback();
        return Falha(erro, m);
    };
    if (!q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7734266121)")) || !versao(v))
        return desfaz(q.lastError());
    if (v == 0 &&
        (!q.exec(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = 'quellora'")) ||
         (!q.next() && !q.exec(QStringLiteral("CREATE SCHEMA quellora"))) ||
         !q.exec(QStringLiteral("CREATE TABLE quellora.esquema (versao integer NOT NULL)"))))
        return desfaz(q.lastError());
    for (int m = v; m < VersaoEsquema; ++m)
        for (std::size_t i = 0; i < Migracoes[m].quantos; ++i)
            if (!q.exec(QString::fromLatin1(Migracoes[m].comandos[i])))
                return desfaz(q.lastError());
    if (!q.exec(QStringLiteral("DELETE FROM quellora.esquema")) ||
        !q.exec(QStringLiteral("INSERT INTO quellora.esquema VALUES (%1)").arg(VersaoEsquema)))
        return desfaz(q.lastError());
    if (!db.commit())
        return Falha(erro, Motivo(db.lastError(), oQue));
    return true;
}

// --- Quotations --------------------------------------------------------------

bool AcervoServidor::Lista(std::vector<TResumoOrc> &lista, QString *erro) {
    const QString oQue = QStringLiteral("a lista das propostas");
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q,
                   QStringLiteral("SELECT nome, numero, data, cliente, projeto, total, legivel "
                                  "FROM quellora.orcamentos WHERE NOT excluido ORDER BY nome"),
                   {}, erro))
        return false;
    std::vector<TResumoOrc> l;
    l.reserve(static_cast<std::size_t>(std::max(q.size(), 0)));
    while (q.next()) {
        TResumoOrc r;
        r.Arquivo = q.value(0).toString();
        r.Numero = q.value(1).toString();
        r.Data = q.value(2).toDouble();
        r.Cliente = q.value(3).toString();
        r.Projeto = q.value(4).toString();
        r.Total = q.value(5).toDouble();
        r.Legivel = q.value(6).toBool();
        l.push_back(std::move(r));
    }
    if (!t.confirma(erro))
        return false;
    lista = std::move(l);
    return true;
}

bool AcervoServidor::Existe(const QString &nome, bool &existe, QString *erro) {
    const QString oQue = QStringLiteral("a consulta à proposta %1").arg(nome);
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q, QStringLiteral("SELECT 1 FROM quellora.orcamentos WHERE nome = ? AND NOT excluido"), {nome}, erro))
        return false;
    const bool achou = q.next();
    if (!t.confirma(erro))
        return false;
    existe = achou;
    return true;
}

bool AcervoServidor::LeImagem(const QString &nome, QByteArray &imagem, QString *erro, int revisao) {
    const QString oQue = QStringLiteral("a leitura da proposta %1").arg(nome);
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q,
                   QStringLiteral("SELECT o.revisao, o.excluido, r.imagem FROM quellora.orcamentos o "
                                  "LEFT JOIN quellora.revisoes r ON r.nome = o.nome AND "
                                  "r.revisao = CASE WHEN ? = 0 THEN o.revisao ELSE ? END WHERE o.nome = ?"),
                   {revisao, revisao, nome}, erro))
        return false;
    if (!q.next())
        return Falha(erro, QStringLiteral("A proposta %1 não existe no %2.").arg(nome, descricao_));
    const int ultima = q.value(0).toInt();
    if (revisao == 0 && q.value(1).toBool())
        return Falha(erro, QStringLiteral("A proposta %1 foi excluída; as suas revisões continuam guardadas no %2.")
                               .arg(nome, descricao_));
    if (q.isNull(2))
        return Falha(erro, QStringLiteral("A proposta %1 não tem a revisão %2 (a última é a %3).")
                               .arg(nome)
                               .arg(revisao)
                               .arg(ultima));
    QByteArray lida = q.value(2).toByteArray();
    if (!t.confirma(erro))
        return false;
    imagem = std::move(lida);
    vistas_[nome] = ultima;
    return true;
}

QString AcervoServidor::QuemAlterou(const QString &nome, bool excluido) {
    QSqlQuery q(QSqlDatabase::database(nomeConexao_, false));
    if (excluido) {
        q.prepare(QStringLiteral("SELECT extract(epoch FROM quando)::float8, usuario, operador FROM quellora.historico "
                                 "WHERE orcamento = ? AND acao = 'excluído' ORDER BY id DESC LIMIT 1"));
        q.addBindValue(nome);
        if (q.exec() && q.next())
            return QStringLiteral("A proposta %1 foi excluída por %2 em %3, depois que você a abriu.")
                .arg(nome, Quem(q.value(1).toString(), q.value(2).toString()), Momento(DeEpoca(q.value(0))));
        return QStringLiteral("A proposta %1 foi excluída depois que você a abriu.").arg(nome);
    }
    q.prepare(QStringLiteral("SELECT revisao, extract(epoch FROM quando)::float8, usuario, operador "
                             "FROM quellora.revisoes WHERE nome = ? ORDER BY revisao DESC LIMIT 1"));
    q.addBindValue(nome);
    if (q.exec() && q.next())
        return QStringLiteral("A proposta %1 foi alterada por %2 em %3 (revisão %4), depois que você a abriu.")
            .arg(nome, Quem(q.value(2).toString(), q.value(3).toString()), Momento(DeEpoca(q.value(1))))
            .arg(q.value(0).toInt());
    return QStringLiteral("A proposta %1 foi alterada por outra pessoa depois que você a abriu.").arg(nome);
}

Gravacao AcervoServidor::GravaImagem(const QString &nome, const QByteArray &imagem, QString *erro, bool porCima) {
    const QString oQue = QStringLiteral("a gravação da proposta %1").arg(nome);
    const TResumoOrc r = ResumoOrcamento(nome, imagem.left(static_cast<qsizetype>(TOrcamento::TamanhoRegistro)),
                                         imagem.size());
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(erro))
        return Gravacao::Falhou;
    // The row exists, or is made for this save (revision 0 until it
    // commits); either way it is then locked until the end.
    if (!t.executa(q,
                   QStringLiteral("INSERT INTO quellora.orcamentos (nome, numero, data, cliente, projeto, total, "
                                  "legivel, revisao) VALUES (?, ?, ?, coalesce(?, ''), coalesce(?, ''), ?, ?, 0) "
                                  "ON CONFLICT (nome) DO NOTHING"),
                   {nome, r.Numero, r.Data, r.Cliente, r.Projeto, r.Total, r.Legivel}, erro) ||
        !t.executa(q,
                   QStringLiteral("SELECT revisao, excluido FROM quellora.orcamentos WHERE nome = ? FOR UPDATE"),
                   {nome}, erro))
        return Gravacao::Falhou;
    if (!q.next()) {
        Falha(erro, QStringLiteral("O %1 não guardou a proposta %2.").arg(descricao_, nome));
        return Gravacao::Falhou;
    }
    const int ultima = q.value(0).toInt();
    const bool excluido = q.value(1).toBool();
    const auto vista = vistas_.find(nome);
    if (!porCima && ultima > 0 && vista != vistas_.end() && (vista->second != ultima || excluido)) {
        Falha(erro, QuemAlterou(nome, excluido));
        return Gravacao::Conflito;
    }
    const int nova = ultima + 1;
    if (!t.executa(q,
                   QStringLiteral("INSERT INTO quellora.revisoes (nome, revisao, imagem, operador) "
                                  "VALUES (?, ?, ?, coalesce(?, ''))"),
                   {nome, nova, imagem, operador_}, erro) ||
        !t.executa(q,
                   QStringLiteral("UPDATE quellora.orcamentos SET numero = ?, data = ?, cliente = coalesce(?, ''), "
                                  "projeto = coalesce(?, ''), total = ?, legivel = ?, revisao = ?, excluido = false "
                                  "WHERE nome = ?"),
                   {r.Numero, r.Data, r.Cliente, r.Projeto, r.Total, r.Legivel, nova, nome}, erro) ||
        !t.registra(QStringLiteral("salvo"), nome, QStringLiteral("revisão %1").arg(nova), erro) ||
        !t.confirma(erro))
        return Gravacao::Falhou;
    vistas_[nome] = nova;
    return Gravacao::Gravada;
}

bool AcervoServidor::Exclui(const QString &nome, QString *erro) {
    const QString oQue = QStringLiteral("a exclusão da proposta %1").arg(nome);
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q,
                   QStringLiteral("UPDATE quellora.orcamentos SET excluido = true WHERE nome = ? AND NOT excluido "
                                  "RETURNING revisao"),
                   {nome}, erro))
        return false;
    if (!q.next())
        return Falha(erro, QStringLiteral("A proposta %1 não existe mais no %2.").arg(nome, descricao_));
    const int revisao = q.value(0).toInt();
    if (!t.registra(QStringLiteral("excluído"), nome, QStringLiteral("revisão %1 guardada").arg(revisao), erro) ||
        !t.confirma(erro))
        return false;
    vistas_.erase(nome);
    return true;
}

// --- Numbering -----------------------------------------------------------------

bool AcervoServidor::ProximoNumero(double data, std::int32_t &numero, QString *erro) {
    const QString oQue = QStringLiteral("a numeração da proposta");
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q, QStringLiteral("SELECT proximo FROM quellora.contador FOR UPDATE"), {}, erro))
        return false;
    if (!q.next())
        return Falha(erro, QStringLiteral("O contador de propostas do %1 sumiu.").arg(descricao_));
    std::int64_t n = std::max<std::int64_t>(q.value(0).toLongLong(), 1);
    QSqlQuery existe = t.consulta();
    for (int i = 0; i < MaxNumerosOcupados && n < std::numeric_limits<std::int32_t>::max(); ++i, ++n) {
        if (!t.executa(existe, QStringLiteral("SELECT 1 FROM quellora.orcamentos WHERE nome = ?"),
                       {NomeArquivoOrc(TextoNumOrc(static_cast<std::int32_t>(n), data))}, erro))
            return false;
        if (!existe.next())
            break;
    }
    if (n + 1 > std::numeric_limits<std::int32_t>::max())
        return Falha(erro, QStringLiteral("O contador de propostas do %1 chegou ao seu limite.").arg(descricao_));
    const QString nome = NomeArquivoOrc(TextoNumOrc(static_cast<std::int32_t>(n), data));
    if (!t.executa(q, QStringLiteral("UPDATE quellora.contador SET proximo = ?"), {qint64(n + 1)}, erro) ||
        !t.registra(QStringLiteral("numerado"), nome, QStringLiteral("número %1").arg(n), erro) ||
        !t.confirma(erro))
        return false;
    numero = static_cast<std::int32_t>(n);
    return true;
}

bool AcervoServidor::UsaNumero(const QString &texto, std::int32_t &numero, QString *erro) {
    const QString oQue = QStringLiteral("a numeração da proposta");
    const std::int32_t r = NumeroDoTexto(texto);
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q, QStringLiteral("SELECT proximo FROM quellora.contador FOR UPDATE"), {}, erro))
        return false;
    if (!q.next())
        return Falha(erro, QStringLiteral("O contador de propostas do %1 sumiu.").arg(descricao_));
    std::int64_t c = q.value(0).toLongLong();
    if (r >= c) // also when equal: the next automatic number must not repeat it
        c = std::int64_t(r) + 1;
    if (!t.executa(q, QStringLiteral("UPDATE quellora.contador SET proximo = ?"), {qint64(c)}, erro) ||
        !t.registra(QStringLiteral("numerado"), QString(), QStringLiteral("número %1 digitado").arg(r), erro) ||
        !t.confirma(erro))
        return false;
    numero = r;
    return true;
}

// --- Clients -------------------------------------------------------------------

bool AcervoServidor::LeClientes(TDadosTabela &dados, QString *erro) {
    const QString oQue = QStringLiteral("a leitura dos clientes");
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    QStringList colunas;
    for (const char *c : ColunasClientes)
        colunas << QString::fromLatin1(c);
    if (!t.inicia(q, QStringLiteral("SELECT %1 FROM quellora.clientes ORDER BY linha").arg(colunas.join(u',')), {},
                   erro))
        return false;
    TDadosTabela lidos;
    lidos.Campos = CamposClientes();
    std::set<double> ids;
    bool semId = false;
    while (q.next()) {
        TRegistro r(lidos.Campos.size());
        for (int i = 0; i < lidos.Campos.size(); ++i) {
            if (q.isNull(i))
                continue;
            r[i] = CampoReal(lidos.Campos[i].Tipo) ? QVariant(q.value(i).toDouble()) : QVariant(q.value(i).toString());
        }
        if (r[0].isValid())
            ids.insert(r[0].toDouble());
        else
            semId = true;
        lidos.Registros.append(std::move(r));
    }
    if (!t.confirma(erro))
        return false;
    dados = std::move(lidos);
    idsClientes_ = std::move(ids);
    clientesSemId_ = semId;
    return true;
}

bool AcervoServidor::GravaClientes(const TDadosTabela &dados, bool, QString *erro, QString *) {
    const QString oQue = QStringLiteral("a gravação dos clientes");
    using nlohmann::json;
    // The records as JSON (null apart from an empty text), field by name.
    json registros = json::array();
    std::set<double> ids = idsClientes_;
    std::set<double> novos;
    bool semId = clientesSemId_, novosSemId = false;
    std::vector<int> indices;
    for (const char *c : ColunasClientes) {
        int i = -1;
        for (int k = 0; k < dados.Campos.size(); ++k)
            if (dados.Campos[k].Nome.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
                i = k;
        indices.push_back(i);
    }
    for (const TRegistro &r : dados.Registros) {
        json o = json::object();
        for (std::size_t c = 0; c < indices.size(); ++c) {
            const int i = indices[c];
            const QVariant v = i >= 0 && i < r.size() ? r[i] : QVariant();
            if (!v.isValid())
                o[ColunasClientes[c]] = nullptr;
            else if (ColunaReal(c))
                o[ColunasClientes[c]] = v.toDouble();
            else
                o[ColunasClientes[c]] = v.toString().toStdString();
        }
        if (o["id"].is_null())
            novosSemId = true;
        else
            novos.insert(o["id"].get<double>());
        registros.push_back(std::move(o));
    }
    ids.insert(novos.begin(), novos.end());
    semId = semId || novosSemId;
    json listaIds = json::array();
    for (double d : ids)
        listaIds.push_back(d);

    QStringList colunas, valores;
    for (std::size_t c = 0; c < std::size(ColunasClientes); ++c) {
        colunas << QString::fromLatin1(ColunasClientes[c]);
        valores << (ColunaReal(c) ? QStringLiteral("(e.r->>'%1')::float8") : QStringLiteral("e.r->>'%1'"))
                       .arg(QLatin1String(ColunasClientes[c]));
    }
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q, QStringLiteral("LOCK TABLE quellora.clientes IN SHARE ROW EXCLUSIVE MODE"), {}, erro) ||
        // Those read or given are replaced; those others added since stay.
        !t.executa(q,
                   QStringLiteral("DELETE FROM quellora.clientes WHERE id IN (SELECT value::text::float8 FROM "
                                  "json_array_elements(?::json)) OR (id IS NULL AND ?)"),
                   {QString::fromStdString(listaIds.dump()), semId}, erro) ||
        !t.executa(q,
                   QStringLiteral("INSERT INTO quellora.clientes (%1) SELECT %2 FROM json_array_elements(?::json) "
                                  "WITH ORDINALITY AS e(r, n) ORDER BY e.n")
                       .arg(colunas.join(u','), valores.join(u',')),
                   {QString::fromStdString(registros.dump())}, erro) ||
        !t.registra(QStringLiteral("clientes"), QString(), QStringLiteral("%1 clientes").arg(dados.Registros.size()),
                    erro) ||
        !t.confirma(erro))
        return false;
    idsClientes_ = std::move(novos);
    clientesSemId_ = novosSemId;
    return true;
}

// --- History -------------------------------------------------------------------

bool AcervoServidor::Revisoes(const QString &nome, std::vector<TRevisao> &lista, QString *erro) {
    const QString oQue = QStringLiteral("a lista das revisões de %1").arg(nome);
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q,
                   QStringLiteral("SELECT revisao, extract(epoch FROM quando)::float8, usuario, operador, "
                                  "length(imagem) FROM quellora.revisoes WHERE nome = ? ORDER BY revisao"),
                   {nome}, erro))
        return false;
    std::vector<TRevisao> l;
    while (q.next())
        l.push_back({q.value(0).toInt(), DeEpoca(q.value(1)), q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toLongLong()});
    if (!t.confirma(erro))
        return false;
    lista = std::move(l);
    return true;
}

bool AcervoServidor::Historico(const QDateTime &desde, std::vector<TEvento> &lista, QString *erro) {
    const QString oQue = QStringLiteral("a leitura do histórico");
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    if (!t.inicia(q,
                   QStringLiteral("SELECT extract(epoch FROM quando)::float8, usuario, operador, acao, "
                                  "coalesce(orcamento, ''), detalhe FROM quellora.historico "
                                  "WHERE quando >= to_timestamp(?) ORDER BY id"),
                   {desde.isValid() ? Epoca(desde) : 0.0}, erro))
        return false;
    std::vector<TEvento> l;
    while (q.next())
        l.push_back({DeEpoca(q.value(0)), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toString(), q.value(5).toString()});
    if (!t.confirma(erro))
        return false;
    lista = std::move(l);
    return true;
}

bool AcervoServidor::Responde(QString &estado) {
    const QString oQue = QStringLiteral("a consulta ao servidor");
    Transacao t(*this, oQue);
    QSqlQuery q = t.consulta();
    QString erro;
    if (!t.inicia(q,
                   QStringLiteral("SELECT session_user, (SELECT count(*) FROM quellora.orcamentos WHERE NOT excluido)"),
                   {}, &erro) ||
        !q.next()) {
        estado = erro;
        return false;
    }
    estado = QStringLiteral("Banco de dados: %1, usuário %2. Responde; %3 propostas.")
                 .arg(descricao_, q.value(0).toString())
                 .arg(q.value(1).toLongLong());
    return t.confirma(&estado);
}

} // namespace quellora
