// The client file's container: CRC-32, the LZHUF coder's exact output for
// short payloads (derived bit by bit below), round trips of large payloads,
// and the refusal of damaged or hostile containers.

#include "clients/lzh.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace quellora;

namespace {

QByteArray Hex(const char *h) { return QByteArray::fromHex(h); }

QByteArray Descompacta(const QByteArray &c, QString *erro) {
    QByteArray p;
    const bool ok = DescompactaContainer(c, p, erro);
    if (!ok && erro && erro->isEmpty())
        *erro = QStringLiteral("(sem mensagem)");
    return ok ? p : QByteArray("<falhou>");
}

// A device that accepts 'limite' bytes and then fails.
class DispositivoCurto : public QIODevice {
public:
    explicit DispositivoCurto(qint64 limite) : limite_(limite) { open(QIODevice::WriteOnly); }
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 n) override {
        if (escrito_ + n > limite_) {
            setErrorString(QStringLiteral("Disco cheio"));
            return -1;
        }
        escrito_ += n;
        return n;
    }

private:
    qint64 limite_;
    qint64 escrito_ = 0;
};

// Payloads of a few kinds and sizes for the round trips.
QByteArray Texto(int n) {
    static const char *palavras[] = {"ventilador ", "centrífugo ", "vazão ", "pressão ", "rotor ",
                                     "motor ",      "arranjo ",    "Ltda. ", "\r\n",     "São Paulo "};
    QByteArray t;
    QRandomGenerator g(7);
    while (t.size() < n)
        t += QByteArray(palavras[g.bounded(10)]);
    return t.left(n);
}

QByteArray Aleatorio(int n, quint32 semente) {
    QByteArray b(n, '\0');
    QRandomGenerator g(semente);
    for (char &c : b)
        c = static_cast<char>(g.bounded(256));
    return b;
}


// Payloads that stress the match finder: few symbols (many equal keys, long
// runs of the key order), runs and copies at every distance, records.
QByteArray Alfabeto(int n, int simbolos, quint32 semente) {
    QByteArray b(n, '\0');
    QRandomGenerator g(semente);
    for (char &c : b)
        c = static_cast<char>('a' + g.bounded(simbolos));
    return b;
}

QByteArray CorridasECopias(int n, quint32 semente) {
    QByteArray b;
    QRandomGenerator g(semente);
    while (b.size() < n) {
        const int t = g.bounded(10);
        if (t < 3) {
            b += QByteArray(g.bounded(1, 200), static_cast<char>(g.bounded(4)));
        } else if (t < 6 && b.size() > 100) {
            const int de = static_cast<int>(b.size()) - g.bounded(1, static_cast<int>(std::min<qsizetype>(b.size(), 5000)));
            const int l = g.bounded(1, 300);
            for (int i = 0; i < l; ++i)
                b += b.at(de + i);
        } else {
            for (int i = g.bounded(1, 50); i > 0; --i)
                b += static_cast<char>(g.bounded(256));
        }
    }
    return b.left(n);
}

} // namespace

TEST(CRC32, ValoresDeVerificacao) {
    TCRC32 crc;
    EXPECT_EQ(crc.Calcula(QByteArray("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc.Calcula(QByteArray()), 0u);
    EXPECT_EQ(crc.Tabela()[1], 0x77073096u);
    EXPECT_EQ(crc.Tabela()[255], 0x2D02EF8Du);
}

TEST(CRC32, StreamLeTudoEmBlocosEVoltaAPosicao) {
    // Longer than one 10240-byte chunk.
    QByteArray dados = Aleatorio(25000, 1);
    QBuffer b(&dados);
    b.open(QIODevice::ReadOnly);
    b.seek(1234);
    EXPECT_EQ(TCRC32().StreamCRC32(b), TCRC32().Calcula(dados));
    EXPECT_EQ(b.pos(), 1234);
}

TEST(TabelasDeDeslocamento, DecodificacaoSegueOsCodigos) {
    EXPECT_EQ(d_code[0x00], 0);
    EXPECT_EQ(d_len[0x1F], 3);
    EXPECT_EQ(d_code[0x20], 1);
    EXPECT_EQ(d_len[0x20], 4);
    EXPECT_EQ(d_code[0x9F], 15);
    EXPECT_EQ(d_len[0x9F], 6);
    EXPECT_EQ(d_code[0xC1], 24);
    EXPECT_EQ(d_len[0xC1], 7);
    EXPECT_EQ(d_code[0xFF], 63);
    EXPECT_EQ(d_len[0xFF], 8);
    // Every code, padded with any bits, decodes to its own u.
    for (int u = 0; u < 64; ++u)
        for (int resto = 0; resto < (1 << (8 - p_len[u])); ++resto) {
            const int b = p_code[u] | resto;
            EXPECT_EQ(d_code[b], u);
            EXPECT_EQ(d_len[b], p_len[u]);
        }
}

// The images below were worked out by hand from the initial Huffman tree:
// leaves 0..313 sit at nodes 0..313, node 314+m joins nodes 2m and 2m+1, and
// a symbol's code is the parity of the nodes on its way up to the root 626,
// read from the root down. So 0 -> nodes 0,314,471,549,588,608,618,623,625
// -> 110001100; 'A' (65) -> 111001101; 'a' (97) -> 111101101.
TEST(Container, ImagensDerivadasAMao) {
    struct Caso {
        const char *nome;
        QByteArray payload;
        QByteArray imagem;
    } casos[] = {
        // Empty: the coder still codes the (zero) byte at the ring's
        // look-ahead once: 110001100 + padding.
        {"vazio", QByteArray(), Hex("404C4843" "00000000" "00000000" "C600")},
        // 'A' = 111001101; after it, 'A' trades places with leaf 313, which
        // leaves 'B' (66) at 111001110: 111001101 111001110 + padding.
        {"literais", QByteArray("AB"), Hex("404C4843" "02000000" "074C6930" "E6F380")},
        // 'a' = 111101101, then symbol 253 + 9 (leaf 262: 10010010) and
        // offset 0 (000 + 000000): the rest of the run copies the byte just
        // written.
        {"sequencia", QByteArray("aaaaaaaaaa"), Hex("404C4843" "0A000000" "F0CD114C" "F6C90000")},
        // The three spaces match the space-filled ring before any data.
        {"espacos", QByteArray("   hello"), Hex("404C4843" "08000000" "0ED077A4" "8C007D3E3F8C2FD8")},
        // "abc" is found 4 and 8 bytes back: the nearer one (offset 3) is
        // coded.
        {"empate", QByteArray("abcXabcYabcZ"),
         Hex("404C4843" "0C000000" "EDB76C85" "F6FBBDFE48C01F970407E6")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(CompactaContainer(c.payload).toHex(), c.imagem.toHex());
        QString erro;
        EXPECT_EQ(Descompacta(c.imagem, &erro), c.payload) << erro.toStdString();
    }
}

// A longer payload checked against an independent implementation of the
// same coder (size and CRC-32 of the whole container), so that a faster
// match finder can never change the files written.
TEST(Container, CargaLongaIgualAUmaImplementacaoIndependente) {
    QByteArray p;
    for (int i = 0; i < 5000; ++i)
        p += QStringLiteral("Cliente %1 Ltda;(11) %2-%3;Rua %4\r\n")
                 .arg(i, 5, 10, QLatin1Char('0'))
                 .arg((i * 37) % 10000, 4, 10, QLatin1Char('0'))
                 .arg((i * 91) % 10000, 4, 10, QLatin1Char('0'))
                 .arg(i % 300)
                 .toLatin1();
    ASSERT_EQ(p.size(), 213130);
    const QByteArray c = CompactaContainer(p);
    EXPECT_EQ(c.size(), 55419);
    EXPECT_EQ(TCRC32().Calcula(c), 0x5353A065u);
}

// Payloads whose match finding takes every path of the finder (equal keys
// replaced, neighbours far along the key order, the space fill), against the
// containers the coder wrote when it walked the tree down for every byte.
TEST(Container, CargasDificeisIguaisAoCodificadorAnterior) {
    const struct {
        const char *nome;
        QByteArray payload;
        qsizetype tamanho;
        quint32 crc;
    } casos[] = {
        {"dois símbolos", Alfabeto(60000, 2, 11), 9753, 0x1F0E1B27u},
        {"quatro símbolos", Alfabeto(120000, 4, 12), 37136, 0xED61C8F1u},
        {"corridas e cópias", CorridasECopias(300000, 13), 50429, 0x2242A152u},
        {"espaços do anel", QByteArray(4036, ' ') + Alfabeto(5000, 3, 14), 1568, 0xC4024D4Eu},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray container = CompactaContainer(c.payload);
        EXPECT_EQ(container.size(), c.tamanho);
        EXPECT_EQ(TCRC32().Calcula(container), c.crc);
        QString erro;
        EXPECT_EQ(Descompacta(container, &erro), c.payload) << erro.toStdString();
    }
}

TEST(Container, PayloadVazioIgnoraOQueSegueOCabecalho) {
    QString erro;
    EXPECT_EQ(Descompacta(Hex("404C4843" "00000000" "00000000"), &erro), QByteArray());
    EXPECT_EQ(Descompacta(Hex("404C4843" "00000000" "00000000" "FFFFFFFF"), &erro), QByteArray());
}

TEST(Container, IdasEVoltasDeCargasGrandesEVariadas) {
    QByteArray repetitivo;
    for (int i = 0; i < 20000; ++i)
        repetitivo += QByteArray::number(i % 37) + ";";
    const QByteArray casos[] = {
        Texto(300000),              // many symbols: the Huffman tree is rebuilt repeatedly
        Aleatorio(200000, 2),       // incompressible
        QByteArray(100000, 'x'),    // one long run
        QByteArray(5000, ' '),      // matches of the initial fill all along
        repetitivo,
        Texto(59), Texto(60), Texto(61), Aleatorio(3, 3), QByteArray(1, '\0'),
    };
    for (const QByteArray &p : casos) {
        SCOPED_TRACE(p.size());
        const QByteArray c = CompactaContainer(p);
        EXPECT_EQ(c, CompactaContainer(p)); // deterministic
        QString erro;
        EXPECT_EQ(Descompacta(c, &erro), p) << erro.toStdString();
    }
    // Compression actually compresses text.
    EXPECT_LT(CompactaContainer(Texto(300000)).size(), 300000 / 3);
}

TEST(Container, StreamsComecamDoInicioENaoTruncamODestino) {
    QByteArray origem = Texto(5000);
    QBuffer in(&origem);
    in.open(QIODevice::ReadOnly);
    in.seek(100);
    QByteArray saida;
    QBuffer out(&saida);
    out.open(QIODevice::ReadWrite);
    QString erro;
    ASSERT_TRUE(CompressStream(in, out, &erro)) << erro.toStdString();
    EXPECT_EQ(saida, CompactaContainer(origem));

    QByteArray volta;
    QBuffer dest(&volta);
    dest.open(QIODevice::ReadWrite);
    out.seek(7);
    ASSERT_TRUE(DecompressStream(out, dest, &erro)) << erro.toStdString();
    EXPECT_EQ(volta, origem);
}

TEST(Container, FalhaDeGravacaoEhRelatada) {
    QByteArray origem = Texto(5000);
    QBuffer in(&origem);
    in.open(QIODevice::ReadOnly);
    DispositivoCurto curto(100);
    QString erro;
    EXPECT_FALSE(CompressStream(in, curto, &erro));
    EXPECT_EQ(erro, QStringLiteral("Disco cheio"));
}

TEST(Container, MagicaErradaEmQualquerByte) {
    const QByteArray bom = CompactaContainer(QByteArray("conteúdo qualquer"));
    for (int i = 0; i < 4; ++i) {
        QByteArray c = bom;
        c[i] = static_cast<char>(c[i] ^ 0x20);
        QString erro;
        Descompacta(c, &erro);
        EXPECT_EQ(erro, QString::fromLatin1("Not LZH Compressed !"));
    }
    QString erro;
    Descompacta(QByteArray(), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Not LZH Compressed !"));
    Descompacta(QByteArray("@LH"), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Not LZH Compressed !"));
}

TEST(Container, CorpoCortadoOuCorrompido) {
    const QByteArray p = Texto(20000);
    const QByteArray bom = CompactaContainer(p);
    QString erro;

    // Cut right after the header, or halfway: the coded input runs out.
    Descompacta(bom.left(12), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Decompression Error: Size Mismatch !"));
    Descompacta(bom.left(bom.size() / 2), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Decompression Error: Size Mismatch !"));

    // A stored CRC that does not match.
    QByteArray c = bom;
    c[8] = static_cast<char>(c[8] ^ 1);
    Descompacta(c, &erro);
    EXPECT_EQ(erro, QString::fromLatin1("CRC Decompression Error !"));

    // Flipped bits in the body: refused one way or the other, never accepted.
    for (int pos : {12, 13, 100, 1000, static_cast<int>(bom.size()) - 2}) {
        QByteArray d = bom;
        d[pos] = static_cast<char>(d[pos] ^ 0x10);
        erro.clear();
        EXPECT_EQ(Descompacta(d, &erro), QByteArray("<falhou>"));
        EXPECT_TRUE(erro == QLatin1String("CRC Decompression Error !") ||
                    erro == QLatin1String("Decompression Error: Size Mismatch !"))
            << erro.toStdString();
    }
}

TEST(Container, CabecalhoHostilNaoFazAlocarNemTravar) {
    QString erro;
    // Negative size.
    Descompacta(Hex("404C4843" "FFFFFFFF" "00000000" "C600"), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Decompression Error: Size Mismatch !"));
    // 2 GB claimed by a handful of bytes: refused at once.
    Descompacta(Hex("404C4843" "FFFFFF7F" "00000000" "F6C90000"), &erro);
    EXPECT_EQ(erro, QString::fromLatin1("Decompression Error: Size Mismatch !"));
    // A claim the bytes could just about yield, but they run out first: the
    // decoder stops instead of making up zeros.
    QByteArray c = CompactaContainer(QByteArray(1000, 'x'));
    c[4] = static_cast<char>(0xB0);
    c[5] = static_cast<char>(0x04); // 1200 bytes
    QByteArray saida;
    EXPECT_FALSE(DescompactaContainer(c, saida, &erro));
    EXPECT_EQ(erro, QString::fromLatin1("Decompression Error: Size Mismatch !"));

    // The coder itself: a billion bytes asked of ten zero bytes.
    QByteArray pouco;
    EXPECT_FALSE(TLZH().Descompacta(1000000000, QByteArray(10, '\0'), pouco));
    EXPECT_LT(pouco.size(), 10 * 48 + 60);
}

TEST(Container, LinhaDeComando) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString entrada = dir.filePath(QStringLiteral("entrada.txt"));
    const QString pacote = dir.filePath(QStringLiteral("pacote.lzh"));
    const QString volta = dir.filePath(QStringLiteral("volta.txt"));
    const QByteArray p = Texto(40000);
    {
        QFile f(entrada);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(p);
    }
    auto roda = [](const QStringList &args, QString *err = nullptr) {
        QProcess pr;
        pr.start(QStringLiteral(QUELLORA_CLI), args);
        pr.waitForFinished(60000);
        if (err)
            *err = QString::fromUtf8(pr.readAllStandardError());
        return pr.exitStatus() == QProcess::NormalExit ? pr.exitCode() : -1;
    };
    EXPECT_EQ(roda({"container", "compacta", entrada, pacote}), 0);
    EXPECT_EQ(roda({"container", "descompacta", pacote, volta}), 0);
    QFile fp(pacote), fv(volta);
    ASSERT_TRUE(fp.open(QIODevice::ReadOnly));
    ASSERT_TRUE(fv.open(QIODevice::ReadOnly));
    EXPECT_EQ(fp.readAll(), CompactaContainer(p));
    EXPECT_EQ(fv.readAll(), p);

    // Not a container: non-zero status, the message, and no output file.
    QString err;
    const QString nada = dir.filePath(QStringLiteral("nada.txt"));
    EXPECT_NE(roda({"container", "descompacta", entrada, nada}, &err), 0);
    EXPECT_TRUE(err.contains(QLatin1String("Not LZH Compressed !"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(nada));
    EXPECT_NE(roda({"container", "compacta", dir.filePath(QStringLiteral("falta")), nada}, &err), 0);
    EXPECT_NE(roda({"container", "descompacta"}), 0);
}
