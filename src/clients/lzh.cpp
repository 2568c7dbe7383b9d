#include "clients/lzh.h"

#include <QBuffer>
#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace quellora {

// --- Offset code tables -----------------------------------------------------

const std::array<std::uint8_t, 64> p_len = {
    0x03, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x06, 0x06, 0x06, 0x06,
    0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08,
};

const std::array<std::uint8_t, 64> p_code = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

namespace {

// The decoder's tables follow from the encoder's: for every byte b, the one
// u whose p_len[u] leading bits are those of b.
std::array<std::uint8_t, 256> TabelaDecodificacao(bool comprimentos) {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
        for (int u = 0; u < 64; ++u) {
            const int l = p_len[static_cast<std::size_t>(u)];
            const int mascara = (0xFF << (8 - l)) & 0xFF;
            if ((b & mascara) == p_code[static_cast<std::size_t>(u)]) {
                t[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(comprimentos ? l : u);
                break;
            }
        }
    }
    return t;
}

} // namespace

const std::array<std::uint8_t, 256> d_code = TabelaDecodificacao(false);
const std::array<std::uint8_t, 256> d_len = TabelaDecodificacao(true);

// --- CRC-32 -----------------------------------------------------------------

TCRC32::TCRC32() {
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : (c >> 1);
        tabela_[i] = c;
    }
}

std::uint32_t TCRC32::Acumula(std::uint32_t reg, const char *dados, std::size_t n) const {
    const auto *p = reinterpret_cast<const std::uint8_t *>(dados);
    for (std::size_t i = 0; i < n; ++i)
        reg = tabela_[(reg ^ p[i]) & 0xFF] ^ (reg >> 8);
    return reg;
}

std::uint32_t TCRC32::Calcula(const char *dados, std::size_t n) const {
    return Acumula(0xFFFFFFFFu, dados, n) ^ 0xFFFFFFFFu;
}

std::uint32_t TCRC32::StreamCRC32(QIODevice &stream) const {
    const qint64 posicao = stream.pos();
    std::uint32_t reg = 0xFFFFFFFFu;
    stream.seek(0);
    const qint64 tamanho = stream.size();
    char bloco[10240];
    qint64 lidos = 0;
    while (lidos < tamanho) {
        const qint64 n = stream.read(bloco, std::min<qint64>(sizeof bloco, tamanho - lidos));
        if (n <= 0)
            break;
        reg = Acumula(reg, bloco, static_cast<std::size_t>(n));
        lidos += n;
    }
    stream.seek(posicao);
    return reg ^ 0xFFFFFFFFu;
}

// --- Coder ------------------------------------------------------------------

namespace {

constexpr int N = TLZH::N;
constexpr int F = TLZH::F;
constexpr int THRESHOLD = TLZH::THRESHOLD;
constexpr int NIL = TLZH::NIL;
constexpr int N_CHAR = TLZH::N_CHAR;
constexpr int T = TLZH::T;
constexpr int R = TLZH::R;
constexpr unsigned MAX_FREQ = TLZH::MAX_FREQ;

// Working arrays of one operation, with the sizes the format fixes.
struct Estado {
    std::uint8_t ring[N + F - 1];
    std::uint16_t lson[N + 1];
    std::uint16_t rson[N + 257];
    std::uint16_t dad[N + 1];
    std::uint16_t freq[T + 1];
    std::uint16_t prnt[T + N_CHAR];
    std::uint16_t son[T];
    int matchPosition = 0;
    int matchLength = 0;

    // Bit input.
    const std::uint8_t *entrada = nullptr;
    qsizetype tamEntrada = 0;
    qsizetype posEntrada = 0;
    qsizetype fantasmas = 0; // bytes read past the end (as zero)
    std::uint16_t getbuf = 0;
    std::uint8_t getlen = 0;

    // Bit output.
    QByteArray *saida = nullptr;
    std::uint16_t putbuf = 0;
    std::uint8_t putlen = 0;
    std::int32_t codificados = 0;

    // --- Huffman model ---
    void StartHuff() {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = static_cast<std::uint16_t>(i + T);
            prnt[i + T] = static_cast<std::uint16_t>(i);
        }
        int i = 0;
        for (int j = N_CHAR; j <= R; ++j, i += 2) {
            freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
            son[j] = static_cast<std::uint16_t>(i);
            prnt[i] = prnt[i + 1] = static_cast<std::uint16_t>(j);
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void Reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = static_cast<std::uint16_t>((freq[i] + 1u) / 2u);
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
            freq[jj] = static_cast<std::uint16_t>(f);
            int k = jj - 1;
            while (f < freq[k])
                --k;
            ++k;
            for (int m = jj; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = static_cast<std::uint16_t>(f);
            son[k] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T)
                prnt[k] = static_cast<std::uint16_t>(i);
            else
                prnt[k] = prnt[k + 1] = static_cast<std::uint16_t>(i);
        }
    }

    void Update(int c) {
        if (freq[R] == MAX_FREQ)
            Reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = static_cast<std::uint16_t>(k);

                const int i = son[c];
                prnt[i] = static_cast<std::uint16_t>(l);
                if (i < T)
                    prnt[i + 1] = static_cast<std::uint16_t>(l);

                const int j = son[l];
                son[l] = static_cast<std::uint16_t>(i);
                prnt[j] = static_cast<std::uint16_t>(c);
                if (j < T)
                    prnt[j + 1] = static_cast<std::uint16_t>(c);
                son[c] = static_cast<std::uint16_t>(j);
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    // --- Bit output ---
    void Putcode(int l, std::uint16_t c) {
        putbuf = static_cast<std::uint16_t>(putbuf | (c >> putlen));
        putlen = static_cast<std::uint8_t>(putlen + l);
        if (putlen >= 8) {
            saida->append(static_cast<char>(putbuf >> 8));
            putlen = static_cast<std::uint8_t>(putlen - 8);
            if (putlen >= 8) {
                saida->append(static_cast<char>(putbuf & 0xFF));
                codificados += 2;
                putlen = static_cast<std::uint8_t>(putlen - 8);
                putbuf = static_cast<std::uint16_t>(c << (l - putlen));
            } else {
                putbuf = static_cast<std::uint16_t>(putbuf << 8);
                codificados += 1;
            }
        }
    }

    void EncodeChar(int c) {
        unsigned code = 0;
        int len = 0;
        int k = prnt[c + T];
        do {
            code >>= 1;
            if (k & 1)
                code += 0x8000;
            ++len;
        } while ((k = prnt[k]) != R);
        Putcode(len, static_cast<std::uint16_t>(code));
        Update(c);
    }

    void EncodePosition(int c) {
        const int u = c >> 6;
        Putcode(p_len[static_cast<std::size_t>(u)], static_cast<std::uint16_t>(p_code[static_cast<std::size_t>(u)] << 8));
        Putcode(6, static_cast<std::uint16_t>((c & 0x3F) << 10));
    }

    void EncodeEnd() {
        if (putlen) {
            saida->append(static_cast<char>(putbuf >> 8));
            ++codificados;
        }
    }

    // --- Bit input ---
    void Enche() {
        while (getlen <= 8) {
            unsigned b = 0;
            if (posEntrada < tamEntrada)
                b = entrada[posEntrada++];
            else
                ++fantasmas;
            getbuf = static_cast<std::uint16_t>(getbuf | (b << (8 - getlen)));
            getlen = static_cast<std::uint8_t>(getlen + 8);
        }
    }
    int GetBit() {
        Enche();
        const int bit = getbuf >> 15;
        getbuf = static_cast<std::uint16_t>(getbuf << 1);
        --getlen;
        return bit;
    }
    int GetByte() {
        Enche();
        const int b = getbuf >> 8;
        getbuf = static_cast<std::uint16_t>(getbuf << 8);
        getlen = static_cast<std::uint8_t>(getlen - 8);
        return b;
    }
    // True once the decoder has taken bits that the input does not hold.
    bool PassouDoFim() const { return fantasmas * 8 > getlen; }

    int DecodeChar() {
        unsigned c = son[R];
        while (c < static_cast<unsigned>(T)) {
            c += static_cast<unsigned>(GetBit());
            c = son[c];
        }
        c -= T;
        Update(static_cast<int>(c));
        return static_cast<int>(c);
    }

    int DecodePosition() {
        unsigned i = static_cast<unsigned>(GetByte());
        const unsigned c = static_cast<unsigned>(d_code[i]) << 6;
        unsigned j = d_len[i] - 2u;
        while (j--)
            i = (i << 1) + static_cast<unsigned>(GetBit());
        return static_cast<int>(c | (i & 0x3F));
    }

    // --- Match finder ---
    void InitTree() {
        for (int i = N + 1; i <= N + 256; ++i)
            rson[i] = NIL;
        for (int i = 0; i < N; ++i)
            dad[i] = NIL;
    }

    // Common length of the keys at a and b (F when bytes 1 to F - 1 agree),
    // with cmp the difference of the last bytes compared, given that bytes
    // 0 to inicio - 1 are known to agree. Eight bytes at a time where they
    // fit: the result is that of a byte-by-byte comparison from byte 1, which
    // is what the format defines.
    static int Compara(const std::uint8_t *a, const std::uint8_t *b, int inicio, int &cmp) {
        int i = inicio;
        if constexpr (std::endian::native == std::endian::little) {
            for (; i + 8 <= F; i += 8) {
                std::uint64_t x, y;
                std::memcpy(&x, a + i, 8);
                std::memcpy(&y, b + i, 8);
                if (const std::uint64_t d = x ^ y) {
                    i += std::countr_zero(d) / 8;
                    cmp = static_cast<int>(a[i]) - static_cast<int>(b[i]);
                    return i;
                }
            }
        }
        for (; i < F; ++i) {
            cmp = static_cast<int>(a[i]) - static_cast<int>(b[i]);
            if (cmp != 0)
                return i;
        }
        return i;
    }

    void InsertNode(int r) {
        int cmp = 1;
        const std::uint8_t *key = &ring[r];
        int p = N + 1 + key[0];
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        // The tree is ordered by the F-byte keys, so every node below the
        // last node we went right of (a lower bound) and the last we went
        // left of (an upper bound) shares with the key at least the shorter
        // of the two common lengths: the comparison may start there.
        int comumInferior = 1;
        int comumSuperior = 1;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] != NIL) {
                    p = rson[p];
                } else {
                    rson[p] = static_cast<std::uint16_t>(r);
                    dad[r] = static_cast<std::uint16_t>(p);
                    return;
                }
            } else {
                if (lson[p] != NIL) {
                    p = lson[p];
                } else {
                    lson[p] = static_cast<std::uint16_t>(r);
                    dad[r] = static_cast<std::uint16_t>(p);
                    return;
                }
            }
            const int i = Compara(key, &ring[p], std::min(comumInferior, comumSuperior), cmp);
            if (cmp >= 0)
                comumInferior = i;
            else
                comumSuperior = i;
            if (i > THRESHOLD) {
                const int candidato = ((r - p) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = candidato;
                    matchLength = i;
                    if (matchLength >= F)
                        break;
                } else if (i == matchLength && candidato < matchPosition) {
                    matchPosition = candidato;
                }
            }
        }
        // r replaces p, which holds the same F bytes.
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = static_cast<std::uint16_t>(r);
        dad[rson[p]] = static_cast<std::uint16_t>(r);
        if (rson[dad[p]] == p)
            rson[dad[p]] = static_cast<std::uint16_t>(r);
        else
            lson[dad[p]] = static_cast<std::uint16_t>(r);
        dad[p] = NIL;
    }

    void DeleteNode(int p) {
        if (dad[p] == NIL)
            return;
        int q;
        if (rson[p] == NIL) {
            q = lson[p];
        } else if (lson[p] == NIL) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = static_cast<std::uint16_t>(q);
            }
            rson[q] = rson[p];
            dad[rson[p]] = static_cast<std::uint16_t>(q);
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p)
            rson[dad[p]] = static_cast<std::uint16_t>(q);
        else
            lson[dad[p]] = static_cast<std::uint16_t>(q);
        dad[p] = NIL;
    }
};

std::unique_ptr<Estado> NovoEstado() {
    std::unique_ptr<Estado> e(new (std::nothrow) Estado);
    if (e) {
        // The ring past the space fill is zero before any data arrives (the
        // match finder of a short payload compares some of those bytes).
        std::fill(std::begin(e->ring), std::end(e->ring), std::uint8_t{0});
        std::fill(std::begin(e->ring), std::begin(e->ring) + (N - F), std::uint8_t{0x20});
        std::fill(std::begin(e->lson), std::end(e->lson), std::uint16_t{NIL});
        std::fill(std::begin(e->rson), std::end(e->rson), std::uint16_t{NIL});
        std::fill(std::begin(e->dad), std::end(e->dad), std::uint16_t{NIL});
    }
    return e;
}

} // namespace

std::int32_t TLZH::Compacta(const QByteArray &origem, QByteArray &destino) {
    auto e = NovoEstado();
    if (!e)
        throw std::bad_alloc();
    const auto *dados = reinterpret_cast<const std::uint8_t *>(origem.constData());
    const qsizetype total = origem.size();
    qsizetype lido = 0;
    auto le = [&](int &c) {
        if (lido >= total)
            return false;
        c = dados[lido++];
        return true;
    };

    destino.reserve(destino.size() + total / 2 + 16);
    e->saida = &destino;
    e->StartHuff();
    e->InitTree();
    int s = 0;
    int r = N - F;
    int len = 0;
    int c = 0;
    for (; len < F && le(c); ++len)
        e->ring[r + len] = static_cast<std::uint8_t>(c);
    std::int32_t bytesLidos = len;
    for (int i = 1; i <= F; ++i)
        e->InsertNode(r - i);
    e->InsertNode(r);
    do {
        if (e->matchLength > len)
            e->matchLength = len;
        if (e->matchLength <= THRESHOLD) {
            e->matchLength = 1;
            e->EncodeChar(e->ring[r]);
        } else {
            e->EncodeChar(255 - THRESHOLD + e->matchLength);
            e->EncodePosition(e->matchPosition);
        }
        const int last = e->matchLength;
        int i = 0;
        for (; i < last && le(c); ++i) {
            e->DeleteNode(s);
            e->ring[s] = static_cast<std::uint8_t>(c);
            if (s < F - 1)
                e->ring[s + N] = static_cast<std::uint8_t>(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            e->InsertNode(r);
        }
        bytesLidos += i;
        while (i++ < last) {
            e->DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len)
                e->InsertNode(r);
        }
    } while (len > 0);
    e->EncodeEnd();
    codificados_ = e->codificados;
    return bytesLidos;
}

bool TLZH::Descompacta(std::int32_t tamanho, const QByteArray &origem, QByteArray &destino) {
    auto e = NovoEstado();
    if (!e)
        throw std::bad_alloc();
    e->entrada = reinterpret_cast<const std::uint8_t *>(origem.constData());
    e->tamEntrada = origem.size();
    e->StartHuff();
    int r = N - F;
    std::int32_t count = 0;
    // The output is at most 60 bytes per ten coded bits; reserve no more
    // than the input can possibly yield.
    destino.reserve(destino.size() + std::min<qint64>(std::max(tamanho, 0), origem.size() * 48 + F));
    while (count < tamanho) {
        const int c = e->DecodeChar();
        if (c < 256) {
            destino.append(static_cast<char>(c));
            e->ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
        } else {
            const int v = e->DecodePosition();
            const int i = (r - v - 1) & (N - 1);
            const int j = c - 255 + THRESHOLD;
            for (int k = 0; k < j; ++k) {
                const std::uint8_t b = e->ring[(i + k) & (N - 1)];
                destino.append(static_cast<char>(b));
                e->ring[r] = b;
                r = (r + 1) & (N - 1);
                ++count;
            }
        }
        if (e->PassouDoFim())
            return false;
    }
    return true;
}

// --- Container --------------------------------------------------------------

namespace {

constexpr char Magica[4] = {'@', 'L', 'H', 'C'};
constexpr int TamCabecalho = 12;

void Define(QString *erro, const QString &texto) {
    if (erro)
        *erro = texto;
}

void GravaInt32(char *p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t LeInt32(const char *p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[i])) << (8 * i);
    return v;
}

} // namespace

QByteArray CompactaContainer(const QByteArray &payload) {
    QByteArray saida(TamCabecalho, '\0');
    std::memcpy(saida.data(), Magica, 4);
    GravaInt32(saida.data() + 4, static_cast<std::uint32_t>(payload.size()));
    GravaInt32(saida.data() + 8, TCRC32().Calcula(payload));
    TLZH().Compacta(payload, saida);
    return saida;
}

bool DescompactaContainer(const QByteArray &container, QByteArray &payload, QString *erro) {
    payload.clear();
    char cab[TamCabecalho] = {};
    std::memcpy(cab, container.constData(), static_cast<std::size_t>(std::min<qsizetype>(container.size(), TamCabecalho)));
    if (std::memcmp(cab, Magica, 4) != 0) {
        Define(erro, QString::fromLatin1(MsgNaoLzh));
        return false;
    }
    const auto tamanho = static_cast<std::int32_t>(LeInt32(cab + 4));
    const std::uint32_t crc = LeInt32(cab + 8);
    const QByteArray codigo = container.size() > TamCabecalho ? container.mid(TamCabecalho) : QByteArray();
    try {
        // A size the coded bytes cannot yield is refused before any decoding.
        const qint64 maximo = static_cast<qint64>(codigo.size()) * 48 + TLZH::F;
        if (tamanho > maximo || !TLZH().Descompacta(tamanho, codigo, payload) || payload.size() != tamanho) {
            Define(erro, QString::fromLatin1(MsgTamanhoDifere));
            return false;
        }
    } catch (const std::bad_alloc &) {
        Define(erro, QString::fromLatin1(MsgSemMemoria));
        return false;
    }
    if (TCRC32().Calcula(payload) != crc) {
        Define(erro, QString::fromLatin1(MsgCrcDifere));
        return false;
    }
    return true;
}

bool CompressStream(QIODevice &source, QIODevice &destination, QString *erro) {
    source.seek(0);
    destination.seek(0);
    const QByteArray payload = source.readAll();
    if (payload.size() != source.size()) {
        Define(erro, source.errorString().isEmpty() ? QStringLiteral("Stream read error") : source.errorString());
        return false;
    }
    QByteArray saida;
    try {
        saida = CompactaContainer(payload);
    } catch (const std::bad_alloc &) {
        Define(erro, QString::fromLatin1(MsgSemMemoria));
        return false;
    }
    if (destination.write(saida) != saida.size()) {
        Define(erro, destination.errorString().isEmpty() ? QStringLiteral("Stream write error")
                                                          : destination.errorString());
        return false;
    }
    return true;
}

bool DecompressStream(QIODevice &source, QIODevice &destination, QString *erro) {
    source.seek(0);
    destination.seek(0);
    const QByteArray container = source.readAll();
    QByteArray payload;
    const bool ok = DescompactaContainer(container, payload, erro);
    if (destination.write(payload) != payload.size()) {
        Define(erro, destination.errorString().isEmpty() ? QStringLiteral("Stream write error")
                                                          : destination.errorString());
        return false;
    }
    return ok;
}

} // namespace quellora
