// The proposal counter: numbers handed out and typed, the number text, and
// the lock that keeps two programs on one shared folder from handing out
// the same number.

#include "quotation/numeracao.h"

#include "catalogue/binario.h"
#include "quotation/trava.h"

#include <QCoreApplication>
#include <QDate>
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
    QFile f(dir.filePath(QString::fromLatin1(ArqContador)));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = f.readAll();
    if (b.size() != 4)
        return -1;
    return LeitorBinario(b).integer(0);
}

void DefineContador(const QTemporaryDir &dir, std::int32_t n) {
    QByteArray b(4, '\0');
    GravadorBinario(b).integer(0, n);
    QFile f(dir.filePath(QString::fromLatin1(ArqContador)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

void EscreveTrava(const QString &caminho, const QByteArray &conteudo) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

} // namespace

TEST(Contador, NumerosAutomaticosEDigitados) {
    struct Passo {
        const char *digitado; // null: an automatic number
        std::int32_t numero;
        std::int32_t contadorDepois;
    };
    struct Caso {
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
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        if (c.contador)
            DefineContador(dir, *c.contador);
        for (const Passo &p : c.passos) {
            std::int32_t n = -7;
            QString erro;
            const bool ok = p.digitado ? UsaNumero(dir.path(), QString::fromLatin1(p.digitado), n, &erro)
                                       : ProximoNumero(dir.path(), n, &erro);
            ASSERT_TRUE(ok) << erro.toStdString();
            EXPECT_EQ(n, p.numero);
            EXPECT_EQ(Contador(dir), p.contadorDepois);
        }
        EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromLatin1(ArqTravaContador)))) << "lock released";
    }
}

TEST(Contador, TextoDoNumero) {
    const double em2003 = DateTimeParaData(QDateTime(QDate(2003, 5, 2), QTime(10, 0)));
    const double em2024 = DateTimeParaData(QDateTime(QDate(2024, 1, 15), QTime(9, 0)));
    EXPECT_EQ(TextoNumOrc(1, em2003), QStringLiteral("0001/03"));
    EXPECT_EQ(TextoNumOrc(12, em2003), QStringLiteral("0012/03"));
    EXPECT_EQ(TextoNumOrc(12345, em2003), QStringLiteral("2345/03"));
    EXPECT_EQ(TextoNumOrc(50, em2024), QStringLiteral("0050/24"));
}

TEST(Contador, DanificadoERecusadoComONome) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QString::fromLatin1(ArqContador)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x05\x00", 2);
    f.close();
    std::int32_t n = 0;
    QString erro;
    EXPECT_FALSE(ProximoNumero(dir.path(), n, &erro));
    EXPECT_TRUE(erro.contains(QString::fromLatin1(ArqContador))) << erro.toStdString();
    EXPECT_EQ(QFile(f.fileName()).size(), 2);
}

TEST(TravaContador, TravasVelhasSaoRecuperadasEVivasNao) {
    // A process that has ended.
    QProcess p;
    p.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(p.waitForFinished());
    const qint64 morto = p.processId() ? p.processId() : 999999;
    const QString aqui = QSysInfo::machineHostName();
    struct Caso {
        const char *nome;
        QByteArray conteudo;
        int prazoVelha;
        int espera;
        bool obtem;
    } casos[] = {
        {"processo que terminou, deste computador",
         QStringLiteral("%1\n%2\n2024-01-01T10:00:00Z\nx\n").arg(morto).arg(aqui).toUtf8(), 60000, 5000, true},
        // Another computer: left unchanged for the whole stale time.
        {"outro computador, parada", QByteArray("4321\nservidor-vendas\n2024-01-01T10:00:00Z\ny\n"), 300, 5000, true},
        {"vazia, de um programa que caiu ao criá-la", QByteArray(), 300, 5000, true},
        {"viva: este processo", QStringLiteral("%1\n%2\n2024-01-01T10:00:00Z\nz\n")
                                    .arg(QCoreApplication::applicationPid())
                                    .arg(aqui)
                                    .toUtf8(),
         60000, 300, false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        const QString caminho = dir.filePath(QStringLiteral("orcnum.lck"));
        EscreveTrava(caminho, c.conteudo);
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
    TravaArquivo porta(dir.filePath(QString::fromLatin1(ArqTravaContador)));
    QString erro;
    ASSERT_TRUE(porta.trava(1000, &erro));
    QProcess a, b;
    for (QProcess *p : {&a, &b})
        p->start(QStringLiteral(QUELLORA_CLI), {QStringLiteral("orcamento"), QStringLiteral("numera"),
                                                QStringLiteral("200"), QStringLiteral("--dados"), dir.path(),
                                                QStringLiteral("--intervalo"), QStringLiteral("1")});
    ASSERT_TRUE(a.waitForStarted() && b.waitForStarted());
    QThread::msleep(300);
    porta.libera();
    std::set<int> numeros;
    std::set<int> deA;
    std::size_t total = 0;
    for (QProcess *p : {&a, &b}) {
        ASSERT_TRUE(p->waitForFinished(60000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        const QStringList linhas = QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(linhas.size(), 200);
        for (const QString &l : linhas) {
            numeros.insert(l.toInt());
            if (p == &a)
                deA.insert(l.toInt());
        }
        total += static_cast<std::size_t>(linhas.size());
    }
    EXPECT_EQ(total, 400u);
    EXPECT_EQ(numeros.size(), 400u) << "no number handed out twice";
    EXPECT_EQ(*numeros.begin(), 1);
    EXPECT_EQ(*numeros.rbegin(), 400);
    EXPECT_EQ(Contador(dir), 401);
    // They did take turns: the first program's numbers are not one run.
    EXPECT_GT(*deA.rbegin() - *deA.begin(), 199);
}
