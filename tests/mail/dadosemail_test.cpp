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

// The three counted texts at 0, 51 and 102.
QByteArray Imagem(const QByteArray &nome, const QByteArray &email, const QByteArray &servidor) {
    QByteArray b(154, '\0');
    for (int i = 0; const QByteArray &t : {nome, email, servidor}) {
        b[51 * i] = static_cast<char>(t.size());
        b.replace(51 * i++ + 1, t.size(), t);
    }
    return b;
}

} // namespace

TEST(DadosEmail, LeOArquivoComoEstiver) {
    QTemporaryDir dir;
    const QString arq = dir.filePath("dadmai.dat");
    QByteArray excedente = Imagem("", "a@b", "s");
    excedente[0] = char(200); // a length beyond the field reads as 50
    excedente.replace(1, 50, QByteArray(50, 'n'));
    const struct {
        const char *nome;
        std::optional<QByteArray> arquivo; // none: no file
        const char *nomeRem, *email, *servidor;
    } casos[] = {
        {"sem arquivo", std::nullopt, "", "", ""},
        {"vazio", QByteArray(), "", "", ""},
        {"curto: como ausente", Imagem("Ana", "ana@x.com", "smtp.x.com").left(100), "", "", ""},
        {"exato", Imagem("Jo\xe3o", "joao@x.com", "smtp.x.com"), "João", "joao@x.com", "smtp.x.com"},
        {"mais longo: o registro", Imagem("Ana", "ana@x.com", "smtp.x.com") + QByteArray(46, 'z'), "Ana", "ana@x.com",
         "smtp.x.com"},
        {"comprimento excedente", excedente, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn", "a@b", "s"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QFile::remove(arq);
        if (c.arquivo) {
            ASSERT_TRUE(GravaArquivoAtomico(arq, *c.arquivo, nullptr));
        }
        ResetaEstado();
        LoadEmailSettings(dir.path());
        const TDadosEmail &d = G().DadosEmail;
        EXPECT_EQ(d.NomeRemetente, c.nomeRem);
        EXPECT_EQ(d.EmailRemetente, c.email);
        EXPECT_EQ(d.ServidorSMTP, c.servidor);
    }
}

TEST(DadosEmail, GravaAparadoCortadoEPreservaOResto) {
    QTemporaryDir dir;
    const QString arq = dir.filePath("dadmai.dat");
    // A file whose fields hold more than their texts, and a reserved byte.
    QByteArray antes = Imagem("Nome antigo comprido", "velho@x.com", "smtp.velho.com");
    antes[153] = 7;
    ASSERT_TRUE(GravaArquivoAtomico(arq, antes, nullptr));

    LoadEmailSettings(dir.path());
    DefineDadosEmail(G().DadosEmail, "  Zé ", QString(60, 'e'), "  mail.exemplo.com.br\t");
    QString erro;
    ASSERT_TRUE(SaveEmailSettings(dir.path(), &erro)) << erro.toStdString();

    QFile f(arq);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    QByteArray esperado = antes;
    esperado.replace(0, 3, "\x02Z\xe9");                               // rest of the old name stays
    esperado.replace(51, 51, "\x32" + QByteArray(50, 'e'));            // 60 typed, 50 kept
    esperado.replace(102, 20, "\x13mail.exemplo.com.br");               // trimmed
    EXPECT_EQ(b, esperado);
    EXPECT_EQ(G().DadosEmail.NomeRemetente, "Zé");
    EXPECT_EQ(G().DadosEmail.EmailRemetente, QString(50, 'e'));
}
