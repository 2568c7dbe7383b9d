// The proposal counter: numbers handed out and typed, the number text, and
// the lock that keeps two programs on one shared folder from handing out
// the same number.

#include "quotation/numeracao.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "quotation/trava.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace quellora;

namespace {

std::optional<std::int32_t> Contador(const QTemporaryDir &dir) {
    QFile f(dir.filePath(ArqContador));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = f.readAll();
    return b.size() == 4 ? LeitorBinario(b).integer(0) : -1;
}

} // namespace

TEST(Contador, NumerosAutomaticosEDigitados) {
    struct Passo {
        const char *digitado; // null: an automatic number
        std::int32_t numero, contadorDepois;
    };
    const struct {
        const char *nome;
        std::optional<std::int32_t> contador; // none: no counter file yet
        std::vector<Passo> passos;
    } casos[] = {
        {"o primeiro cria o contador", std::nullopt, {{nullptr, 1, 2}, {nullptr, 2, 3}}},
        {"digitado acima do contador", 10, {{"0050/99", 50, 51}, {nullptr, 51, 52}}},
        {"digitado abaixo não o move", 10, {{"0005/03", 5, 10}, {nullptr, 10, 11}}},
        // The next automatic number must not repeat a typed one.
        {"digitado igual ao contador", 10, {{"0010/03", 10, 11}, {nullptr, 11, 12}}},
        {"digitado sem contador", std::nullopt, {{"0007/03", 7, 8}}},
        {"digitado que não é número", 10, {{"12ab/03", 0, 10}}},
        {"contador zerado não dá 0", 0, {{nullptr, 1, 2}}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        if (c.contador) {
            QByteArray b(4, '\0');
            GravadorBinario(b).integer(0, *c.contador);
            ASSERT_TRUE(GravaArquivoAtomico(dir.filePath(ArqContador), b, nullptr));
        }
        for (const Passo &p : c.passos) {
            std::int32_t n = -7;
            QString erro;
            ASSERT_TRUE(p.digitado ? UsaNumero(dir.path(), p.digitado, n, &erro) : ProximoNumero(dir.path(), n, &erro))
                << erro.toStdString();
            EXPECT_EQ(n, p.numero);
            EXPECT_EQ(Contador(dir), p.contadorDepois);
        }
        EXPECT_FALSE(QFile::exists(dir.filePath(ArqTravaContador))) << "lock released";
    }

    // A damaged counter is refused with its name and left as it is.
    QTemporaryDir dir;
    ASSERT_TRUE(GravaArquivoAtomico(dir.filePath(ArqContador), QByteArray("\x05\x00", 2), nullptr));
    std::int32_t n = 0;
    QString erro;
    EXPECT_FALSE(ProximoNumero(dir.path(), n, &erro));
    EXPECT_TRUE(erro.contains(ArqContador)) << erro.toStdString();
    EXPECT_EQ(QFile(dir.filePath(ArqContador)).size(), 2);

    const double em2003 = DateTimeParaData(QDateTime(QDate(2003, 5, 2), QTime(10, 0)));
    EXPECT_EQ(TextoNumOrc(1, em2003), "0001/03");
    EXPECT_EQ(TextoNumOrc(12, em2003), "0012/03");
    EXPECT_EQ(TextoNumOrc(12345, em2003), "2345/03");
    EXPECT_EQ(TextoNumOrc(50, DateTimeParaData(QDateTime(QDate(2024, 1, 15), QTime(9, 0)))), "0050/24");
}

TEST(TravaContador, TravasVelhasSaoRecuperadasEVivasNao) {
    QProcess p; // a process that has ended
    p.start("/bin/true");
    ASSERT_TRUE(p.waitForFinished());
    const qint64 morto = p.processId() ? p.processId() : 999999;
    const QString aqui = QSysInfo::machineHostName();
    const auto trava = [&](qint64 pid, const char *maquina) {
        return QStringLiteral("%1\n%2\n2024-01-01T10:00:00Z\nx\n").arg(pid).arg(maquina ? QString::fromLatin1(maquina) : aqui).toUtf8();
    };
    const struct {
        const char *nome;
        QByteArray conteudo;
        int prazoVelha, espera;
        bool obtem;
    } casos[] = {
        {"processo que terminou, deste computador", trava(morto, nullptr), 60000, 5000, true},
        // Another computer: left unchanged for the whole stale time.
        {"outro computador, parada", trava(4321, "servidor-vendas"), 300, 5000, true},
        {"vazia, de um programa que caiu ao criá-la", QByteArray(), 300, 5000, true},
        {"viva: este processo", trava(QCoreApplication::applicationPid(), nullptr), 60000, 300, false},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        const QString caminho = dir.filePath("orcnum.lck");
        ASSERT_TRUE(GravaArquivoAtomico(caminho, c.conteudo, nullptr));
        TravaArquivo t(caminho);
        t.definePrazoVelha(c.prazoVelha);
        QString erro;
        QElapsedTimer relogio;
        relogio.start();
        EXPECT_EQ(t.trava(c.espera, &erro), c.obtem) << erro.toStdString();
        if (c.obtem) {
            EXPECT_TRUE(t.confirma());
            EXPECT_GE(relogio.elapsed(), c.prazoVelha < 1000 ? c.prazoVelha : 0);
            t.libera();
            EXPECT_FALSE(QFile::exists(caminho));
        } else {
            EXPECT_TRUE(erro.contains(aqui)) << erro.toStdString();
            EXPECT_TRUE(erro.contains(QString::number(QCoreApplication::applicationPid())));
            EXPECT_EQ(QFile(caminho).size(), c.conteudo.size()) << "a live lock is left alone";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), c.obtem ? 0 : 1);
    }
}

TEST(TravaContador, DoisProcessosNumeramAoMesmoTempo) {
    QTemporaryDir dir;
    // Both programs start while the counter is held, so they contend for it
    // from their first number on, and pause a little after each number, as
    // two users saving one quotation after another.
    TravaArquivo porta(dir.filePath(ArqTravaContador));
    ASSERT_TRUE(porta.trava(1000, nullptr));
    QProcess a, b;
    for (QProcess *p : {&a, &b})
        p->start(QUELLORA_CLI, {"orcamento", "numera", "200", "--dados", dir.path(), "--projetos", dir.filePath("projetos"),
                                "--intervalo", "1"});
    ASSERT_TRUE(a.waitForStarted() && b.waitForStarted());
    QThread::msleep(300);
    porta.libera();
    std::set<int> numeros, deA;
    for (QProcess *p : {&a, &b}) {
        ASSERT_TRUE(p->waitForFinished(60000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        const QStringList linhas = QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(linhas.size(), 200);
        for (const QString &l : linhas)
            (p == &a ? deA : numeros).insert(l.toInt());
    }
    numeros.insert(deA.begin(), deA.end());
    EXPECT_EQ(numeros.size(), 400u) << "no number handed out twice";
    EXPECT_EQ(*numeros.begin(), 1);
    EXPECT_EQ(*numeros.rbegin(), 400);
    EXPECT_EQ(Contador(dir), 401);
    // They did take turns: the first program's numbers are not one run.
    EXPECT_GT(*deA.rbegin() - *deA.begin(), 199);
}
