// The e-mail settings: "dadmai.dat" read as the program finds it and written
// back; "conexaoemail.json" beside it; the file that keeps the password
// where no keyring does.

#include "catalogue/arquivos.h"
#include "mail/conexaoemail.h"
#include "mail/dadosemail.h"
#include "mail/senhas.h"
#include "shell/estado.h"

#include <QDir>
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

TEST(DadosEmail, ConexaoLidaComoEstiver) {
    QString comDoisPontos; // "ab:ab:...", 32 pairs
    for (int i = 0; i < 32; ++i)
        comDoisPontos += (i ? ":" : "") + QString("ab");
    const QString soF = QString(comDoisPontos).replace("ab", "FF");
    const struct {
        const char *nome;
        std::optional<QByteArray> arquivo; // none: no file
        const char *erro;                  // part of the refusal; "" when read
        QString lido = {};                 // "porta|seguranca|usuario|certificado" when read
    } casos[] = {
        {"sem arquivo: como sempre", std::nullopt, "", "0|nenhuma||"},
        {"completo",
         "{\"Porta\": 587, \"Seguranca\": \"starttls\", \"Usuario\": \"vendas@x.com\", \"Certificado\": \"" +
             comDoisPontos.toUtf8() + "\"}",
         "", "587|starttls|vendas@x.com|" + comDoisPontos.toUpper()},
        {"so a seguranca, em maiusculas", "{\"Seguranca\": \"SSL\"}", "", "0|ssl||"},
        {"certificado sem dois-pontos", "{\"Certificado\": \"" + QByteArray(64, 'f') + "\"}", "",
         "0|nenhuma||" + soF},
        {"chaves de outra versao ficam", "{\"Porta\": 25, \"Futuro\": [1, 2]}", "", "25|nenhuma||"},
        {"vazio", "", "não é um texto JSON"},
        {"lista", "[1]", "não é um texto JSON"},
        {"porta fora da faixa", "{\"Porta\": 70000}", "de 1 a 65535"},
        {"porta fracionaria", "{\"Porta\": 25.5}", "não é um número inteiro"},
        {"porta em texto", "{\"Porta\": \"25\"}", "não é um número inteiro"},
        {"seguranca desconhecida", "{\"Seguranca\": \"tls\"}", "\"nenhuma\", \"starttls\" ou \"ssl\""},
        {"usuario com quebra de linha", "{\"Usuario\": \"a\\r\\nRCPT TO:<x>\"}", "sem quebras de linha"},
        {"usuario numerico", "{\"Usuario\": 7}", "não é um texto"},
        {"certificado curto", "{\"Certificado\": \"AB:CD\"}", "não é um SHA-256"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        if (c.arquivo) {
            ASSERT_TRUE(GravaArquivoAtomico(dir.filePath("conexaoemail.json"), *c.arquivo, nullptr));
        }
        TConexaoEmail cx;
        cx.Porta = 99; // left as it was on a refusal
        QString erro;
        const bool ok = CarregaConexaoEmail(dir.path(), cx, &erro);
        EXPECT_EQ(ok, !*c.erro);
        if (!ok) {
            EXPECT_TRUE(erro.contains(QString::fromUtf8(c.erro)) && erro.contains("conexaoemail.json"))
                << erro.toStdString();
            EXPECT_EQ(cx.Porta, 99);
            continue;
        }
        EXPECT_EQ(QStringList({QString::number(cx.Porta), TextoSeguranca(cx.Seguranca), cx.Usuario,
                               TextoImpressaoDigital(cx.Certificado)})
                      .join('|')
                      .toStdString(),
                  c.lido.toStdString());
        // Written and read again: the same settings, other keys included.
        ASSERT_TRUE(GravaConexaoEmail(dir.path(), cx, &erro)) << erro.toStdString();
        TConexaoEmail relido;
        ASSERT_TRUE(CarregaConexaoEmail(dir.path(), relido, &erro)) << erro.toStdString();
        EXPECT_EQ(relido, cx);
    }
}

TEST(DadosEmail, SenhaNoArquivoSoDoUsuario) {
    QTemporaryDir dir;
    CofreArquivo cofre(dir.path());
    const QString arq = dir.filePath("senhasemail.json");
    QString senha = "x", erro;
    // Nothing kept: an empty password, and no file made.
    ASSERT_TRUE(cofre.Le("smtp://ana@smtp.x.com", &senha, &erro));
    EXPECT_TRUE(senha.isEmpty());
    EXPECT_FALSE(QFile::exists(arq));
    ASSERT_TRUE(cofre.Grava("smtp://ana@smtp.x.com", "ção \"1\"", &erro)) << erro.toStdString();
    ASSERT_TRUE(cofre.Grava("smtp://bia@smtp.y.com", "outra", &erro));
    EXPECT_EQ(QFile::permissions(arq), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                           QFileDevice::WriteUser);
    EXPECT_TRUE(cofre.Onde().contains(QDir::toNativeSeparators(arq))) << cofre.Onde().toStdString();
    ASSERT_TRUE(cofre.Le("smtp://ana@smtp.x.com", &senha, &erro));
    EXPECT_EQ(senha, "ção \"1\"");
    // Forgotten one by one; the last takes the file with it.
    ASSERT_TRUE(cofre.Apaga("smtp://ana@smtp.x.com", &erro));
    ASSERT_TRUE(cofre.Le("smtp://ana@smtp.x.com", &senha, &erro));
    EXPECT_TRUE(senha.isEmpty());
    ASSERT_TRUE(cofre.Apaga("smtp://bia@smtp.y.com", &erro));
    EXPECT_FALSE(QFile::exists(arq));
    // A damaged file is said so on reading and gives way on writing.
    ASSERT_TRUE(GravaArquivoAtomico(arq, "{", nullptr));
    EXPECT_FALSE(cofre.Le("smtp://ana@smtp.x.com", &senha, &erro));
    EXPECT_TRUE(erro.contains("danificado"));
    ASSERT_TRUE(cofre.Grava("smtp://ana@smtp.x.com", "nova", &erro));
    ASSERT_TRUE(cofre.Le("smtp://ana@smtp.x.com", &senha, &erro));
    EXPECT_EQ(senha, "nova");
}
