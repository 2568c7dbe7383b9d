#pragma once
// The throwaway PostgreSQL server of the tests: tests/pg_teste.sh starts one
// with pg_virtualenv (a cluster of its own on a free port, the PG*
// variables set) and sets QUELLORA_TESTE_PG. Without it the server tests
// are skipped; they never touch a server they did not start.

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace quellora::teste {

inline bool ComServidorDeTeste() { return !qEnvironmentVariableIsEmpty("QUELLORA_TESTE_PG"); }

#define EXIGE_SERVIDOR_DE_TESTE()                                                                                      \
    do {                                                                                                               \
        if (!::quellora::teste::ComServidorDeTeste())                                                                  \
            GTEST_SKIP() << "needs the server of tests/pg_teste.sh";                                                   \
    } while (0)

// Runs SQL on the test server over a connection of its own; false when it
// fails.
inline bool SqlNoServidor(const QStringList &comandos) {
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("teste-sql"));
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("SET client_min_messages = warning"));
        for (const QString &c : comandos)
            ok = ok && q.exec(c);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("teste-sql"));
    return ok;
}

// A server as the first program to use it finds it: without the schema.
inline bool EsvaziaServidor() { return SqlNoServidor({QStringLiteral("DROP SCHEMA IF EXISTS quellora CASCADE")}); }

// Starts or stops (at once, dropping the connections) the test cluster.
inline bool ClusterDeTeste(bool liga) {
    QStringList args = {qEnvironmentVariable("PGVERSION"), QStringLiteral("regress")};
    args << (liga ? QStringList{QStringLiteral("start")}
                  : QStringList{QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("fast")});
    return QProcess::execute(QStringLiteral("pg_ctlcluster"), args) == 0;
}

} // namespace quellora::teste
