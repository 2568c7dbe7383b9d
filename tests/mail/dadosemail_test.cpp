// The e-mail settings file "dadmai.dat": reading any file as the program
// finds it, and writing the record back.

#include "catalogue/arquivos.h"
#include "mail/dadosemail.h"
#include "shell/estado.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace quellora;

namespace {

QByteArray Imagem(const char *nome, const char *email, const char *servidor) {
    QByteArray b(154, '\0');
    const char *campos[] = {nome, email, servidor};
    for (int i = 0; i < 3; ++i) {
        b[51 * i] = static_cast<char>(std::strlen(campos[i]));
        b.replace(51 * i + 1, static_cast<qsizetype>(std::strlen(campos[i])), campos[i]);
    }
    return b;
}

} // namespace

TEST(DadosEmail, LeOArquivoComoEstiver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray longo = Imagem("Ana", "ana@x.com", "smtp.x.com") + QByteArray(46, 'z');
    QByteArray excedente = Imagem("", "a@b", "s");
    excedente[0] = char(200); // a length beyond the field reads as 50
    excedente.replace(1, 50, QByteArray(50, 'n'));
    struct Caso {
        const char *nome;
        std::optional<QByteArray> arquivo; // none: no file
        const char *nomeRem, *email, *servidor;
    } casos[] = {
        {"sem arquivo", std::nullopt, "", "", ""},
        {"vazio", QByteArray(), "", "", ""},
        {"curto: como ausente", Imagem("Ana", "ana@x.com", "smtp.x.com").left(100), "", "", ""},
        {"exato", Imagem("Jo\xe3o", "joao@x.com", "smtp.x.com"), "João", "joao@x.com", "smtp.x.com"},
        {"mais longo: o registro", longo, "Ana", "ana@x.com", "smtp.x.com"},
        {"comprimento excedente", excedente, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn", "a@b", "s"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        QFile::remove(dir.filePath(QStringLiteral("dadmai.dat")));
        if (c.arquivo) {
            QString erro;
            ASSERT_TRUE(GravaArquivoAtomico(dir.filePath(QStringLiteral("dadmai.dat")), *c.arquivo, &erro));
        }
        ResetaEstado();
        LoadEmailSettings(dir.path());
        const TDadosEmail &d = G().DadosEmail;
        EXPECT_EQ(d.NomeRemetente, QString::fromUtf8(c.nomeRem));
        EXPECT_EQ(d.EmailRemetente, QString::fromUtf8(c.email));
        EXPECT_EQ(d.ServidorSMTP, QString::fromUtf8(c.servidor));
    }
    ResetaEstado();
}

TEST(DadosEmail, GravaAparadoCortadoEPreservaOResto) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString arq = dir.filePath(QStringLiteral("dadmai.dat"));
    // A file whose fields hold more than their texts, and a reserved byte.
    QByteArray antes = Imagem("Nome antigo comprido", "velho@x.com", "smtp.velho.com");
    antes[153] = 7;
    QString erro;
    ASSERT_TRUE(GravaArquivoAtomico(arq, antes, &erro));

    ResetaEstado();
    LoadEmailSettings(dir.path());
    DefineDadosEmail(G().DadosEmail, QStringLiteral("  Zé "), QString(60, QLatin1Char('e')),
                     QStringLiteral("  mail.exemplo.com.br\t"));
    ASSERT_TRUE(SaveEmailSettings(dir.path(), &erro)) << erro.toStdString();

    QFile f(arq);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    QByteArray esperado = antes;
    esperado.replace(0, 3, "\x02Z\xe9");                               // rest of the old name stays
    esperado.replace(51, 51, "\x32" + QByteArray(50, 'e'));            // 60 typed, 50 kept
    esperado.replace(102, 20, "\x13mail.exemplo.com.br");               // trimmed
    EXPECT_EQ(b, esperado);
    EXPECT_EQ(G().DadosEmail.NomeRemetente, QStringLiteral("Zé"));
    EXPECT_EQ(G().DadosEmail.EmailRemetente, QString(50, QLatin1Char('e')));
    ResetaEstado();
}
