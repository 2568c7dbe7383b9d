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
    tabelas_[0] = tabela_;
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t i = 0; i < 256; ++i)
            tabelas_[k][i] = tabela_[tabelas_[k - 1][i] & 0xFF] ^ (tabelas_[k - 1][i] >> 8);
}

std::uint32_t TCRC32::Acumula(std::uint32_t reg, const char *dados, std::size_t n) const {
    const auto *p = reinterpret_cast<const std::uint8_t *>(dados);
    // Eight bytes at a time: the same register as byte by byte.
    for (; n >= 8; n -= 8, p += 8) {
        const std::uint32_t a = reg ^ (p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
        reg = tabelas_[7][a & 0xFF] ^ tabelas_[6][(a >> 8) & 0xFF] ^ tabelas_[5][(a >> 16) & 0xFF] ^
              tabelas_[4][a >> 24] ^ tabelas_[3][p[4]] ^ tabelas_[2][p[5]] ^ tabelas_[1][p[6]] ^ tabelas_[0][p[7]];
    }
    for (; n > 0; --n, ++p)
        reg = tabela_[(reg ^ *p) & 0xFF] ^ (reg >> 8);
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
    // N + F - 1 bytes, and 8 more that an eight-byte comparison at the
    // end of the last key (or at an absent node, NIL) may read.
    std::uint8_t ring[N + F - 1 + 8];
    // Children of the search-tree nodes, left [0] and right [1]; entries
    // N + 1 to N + 256 are the roots of the 256 trees (right child only).
    std::uint16_t filho[N + 257][2];
    std::uint16_t dad[N + 1];
    // The same nodes in key order: a circular list for each of the 256
    // trees, whose root entry (N + 1 + first byte) is the list's head.
    std::uint16_t ant[N + 257];
    std::uint16_t prox[N + 257];
    // The nodes after the last key's predecessor and after its successor
    // (NIL where it had none): in their tree, the next key lies between them.
    int dedoAntes = NIL;
    int dedoDepois = NIL;
    std::uint16_t freq[T + 1];
    std::uint16_t prnt[T + N_CHAR];
    std::uint16_t son[T];
    int matchPosition = 0;
    int matchLength = 0;

    // Bit input: the coded bytes, then zero bits for ever, seen through a
    // 64-bit window whose top 'getlen' bits are the next ones.
    const std::uint8_t *entrada = nullptr;
    const std::uint8_t *fimEntrada = nullptr;
    qsizetype fantasmas = 0; // bytes taken past the end (as zero)
    std::uint64_t getbuf = 0;
    int getlen = 0;

    // Bit output.
    // The coded bytes go to 'saida', grown ahead of each coding step
    // (a step writes at most six bytes).
    std::vector<std::uint8_t> saida;
    std::uint8_t *escrita = nullptr;
    void ReservaSaida() {
        if (saida.data() + saida.size() - escrita >= 8)
            return;
        const std::size_t usado = static_cast<std::size_t>(escrita - saida.data());
        saida.resize(std::max<std::size_t>(4096, saida.size() * 2));
        escrita = saida.data() + usado;
    }
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

    // Adds one to the frequency of node c and, when that breaks the order,
    // exchanges it with the last node of the smaller frequency (c becomes
    // that node): true then.
    bool Incrementa(int &c) {
        const unsigned k = ++freq[c];
        int l = c + 1;
        if (k <= freq[l])
            return false;
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
        return true;
    }

    void Update(int c) {
        if (freq[R] == MAX_FREQ)
            Reconst();
        c = prnt[c + T];
        do {
            Incrementa(c);
        } while ((c = prnt[c]) != 0);
    }

    // Update after a decoding that went down 'caminho' (the root, then each
    // node taken, the symbol's leaf last): the climb follows it back up for
    // as long as no exchange has moved a node, then the parent links.
    void UpdateCaminho(const std::uint16_t *caminho, int n) {
        for (int i = n - 1;; --i) {
            int c = caminho[i];
            if (Incrementa(c)) {
                while ((c = prnt[c]) != 0)
                    Incrementa(c);
                return;
            }
            if (i == 0)
                return;
        }
    }

    // --- Bit output ---
    void Putcode(int l, std::uint16_t c) {
        putbuf = static_cast<std::uint16_t>(putbuf | (c >> putlen));
        putlen = static_cast<std::uint8_t>(putlen + l);
        if (putlen >= 8) {
            *escrita++ = static_cast<std::uint8_t>(putbuf >> 8);
            putlen = static_cast<std::uint8_t>(putlen - 8);
            if (putlen >= 8) {
                *escrita++ = static_cast<std::uint8_t>(putbuf & 0xFF);
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
        // The code is read climbing from the symbol's leaf to the root; the
        // update climbs the same nodes for as long as none is exchanged.
        constexpr int MaxSubida = 64;
        std::uint16_t subida[MaxSubida];
        unsigned code = 0;
        int len = 0;
        int k = prnt[c + T];
        do {
            code >>= 1;
            if (k & 1)
                code += 0x8000;
            if (len < MaxSubida)
                subida[len] = static_cast<std::uint16_t>(k);
            ++len;
        } while ((k = prnt[k]) != R);
        Putcode(len, static_cast<std::uint16_t>(code));
        if (freq[R] == MAX_FREQ || len >= MaxSubida) {
            Update(c);
            return;
        }
        for (int i = 0; i < len; ++i) {
            int no = subida[i];
            if (Incrementa(no)) {
                while ((no = prnt[no]) != 0)
                    Incrementa(no);
                return;
            }
        }
        Incrementa(k); // the root
    }

    void EncodePosition(int c) {
        const int u = c >> 6;
        Putcode(p_len[static_cast<std::size_t>(u)], static_cast<std::uint16_t>(p_code[static_cast<std::size_t>(u)] << 8));
        Putcode(6, static_cast<std::uint16_t>((c & 0x3F) << 10));
    }

    void EncodeEnd() {
        if (putlen) {
            *escrita++ = static_cast<std::uint8_t>(putbuf >> 8);
            ++codificados;
        }
    }

    // --- Bit input ---
    // Fills the window to at least 57 bits.
    void Enche() {
        if (fimEntrada - entrada >= 8) {
            std::uint64_t v;
            std::memcpy(&v, entrada, 8);
            if constexpr (std::endian::native == std::endian::little)
                v = __builtin_bswap64(v);
            getbuf |= v >> getlen;
            entrada += (63 - getlen) >> 3;
            getlen |= 56;
            return;
        }
        while (getlen <= 56) {
            std::uint64_t b = 0;
            if (entrada < fimEntrada)
                b = *entrada++;
            else
                ++fantasmas;
            getbuf |= b << (56 - getlen);
            getlen += 8;
        }
    }
    // True once the decoder has taken bits that the input does not hold.
    bool PassouDoFim() const { return fantasmas * 8 > getlen; }

    int DecodeChar() {
        if (getlen < 32)
            Enche();
        constexpr int MaxCaminho = 64;
        std::uint16_t caminho[MaxCaminho];
        int n = 0;
        caminho[n++] = R;
        unsigned filhoDe = son[R];
        while (filhoDe < static_cast<unsigned>(T)) {
            if (getlen == 0)
                Enche();
            const unsigned no = filhoDe + static_cast<unsigned>(getbuf >> 63);
            getbuf <<= 1;
            --getlen;
            if (n < MaxCaminho)
                caminho[n] = static_cast<std::uint16_t>(no);
            ++n;
            filhoDe = son[no];
        }
        const int c = static_cast<int>(filhoDe) - T;
        if (n <= MaxCaminho && freq[R] != MAX_FREQ)
            UpdateCaminho(caminho, n);
        else
            Update(c);
        return c;
    }

    // Eight bits, then d_len - 2 more: at most 14 bits.
    int DecodePosition() {
        if (getlen < 14)
            Enche();
        unsigned i = static_cast<unsigned>(getbuf >> 56);
        getbuf <<= 8;
        getlen -= 8;
        const unsigned c = static_cast<unsigned>(d_code[i]) << 6;
        const int j = d_len[i] - 2;
        i = (i << j) | static_cast<unsigned>(getbuf >> (64 - j));
        getbuf <<= j;
        getlen -= j;
        return static_cast<int>(c | (i & 0x3F));
    }

    // --- Match finder ---
    void InitTree() {
        for (int i = N + 1; i <= N + 256; ++i) {
            filho[i][1] = NIL;
            ant[i] = prox[i] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0; i < N; ++i)
            dad[i] = NIL;
    }

    // Eight ring bytes as one number, the first byte the most significant:
    // two such words compare as the bytes do, one by one.
    static std::uint64_t Grande(const std::uint8_t *p) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        if constexpr (std::endian::native == std::endian::little)
            v = __builtin_bswap64(v);
        return v;
    }

    // Busca: also the longest match (matchLength, matchPosition); without
    // it only the tree changes, as they do with it.
    template <bool Busca = true>
    void InsertNode(int r) {
        const std::uint8_t *key = &ring[r];
        int p = N + 1 + key[0];
        filho[r][1] = filho[r][0] = NIL;
        if constexpr (Busca)
            matchLength = 0;
        int lo = 1, hi = 1;
        int lado = 1;
        const int cabeca = p;
        int antes = cabeca, depois = cabeca; // the key's neighbours in key order
        int q = filho[p][1];
        // The tree is ordered by the F-byte keys, so every node below the
        // last node we went right of (a lower bound, lo) and the last we
        // went left of (an upper bound, hi) shares with the key at least the
        // shorter of the two common lengths: the comparison may start there
        // (bytes compared again below it agree and change nothing). Each
        // node is compared from the bound its parent was compared from, so
        // that the words of both children are loaded while the parent's
        // comparison is still being worked out. The result is that of a
        // byte-by-byte comparison from byte 1, which is what the format
        // defines.
        int o = 1;
        std::uint64_t y = Grande(&ring[q] + o);
        for (;;) {
            if (q == NIL)
                break;
            p = q;
            std::uint32_t ambos;
            std::memcpy(&ambos, filho[p], 4);
            const int m = std::min(lo, hi);
            const int c0 = static_cast<int>(ambos & 0xFFFF), c1 = static_cast<int>(ambos >> 16);
            const std::uint64_t y0 = Grande(&ring[c0] + std::min(m, F - 8));
            const std::uint64_t y1 = Grande(&ring[c1] + std::min(m, F - 8));
            int i;
            bool direita;
            const std::uint64_t x = Grande(key + o);
            if (x != y) {
                direita = x > y;
                i = o + std::countl_zero(x ^ y) / 8;
            } else {
                i = o + 8;
                for (;; i += 8) {
                    const int k = std::min(i, F - 8);
                    const std::uint64_t xx = Grande(key + k), yy = Grande(&ring[p] + k);
                    if (xx != yy) {
                        direita = xx > yy;
                        i = k + std::countl_zero(xx ^ yy) / 8;
                        break;
                    }
                    if (k == F - 8) {
                        direita = true;
                        i = F;
                        break;
                    }
                }
            }
            o = std::min(m, F - 8);
            if (direita) {
                lo = i;
                antes = p;
            } else {
                hi = i;
                depois = p;
            }
            q = direita ? c1 : c0;
            y = direita ? y1 : y0;
            if constexpr (!Busca) {
                if (i >= F)
                    goto substitui;
            } else if (i > THRESHOLD) {
                const int candidato = ((r - p) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = candidato;
                    matchLength = i;
                    if (matchLength >= F)
                        goto substitui;
                } else if (i == matchLength && candidato < matchPosition) {
                    matchPosition = candidato;
                }
            }
            lado = direita;
        }
        filho[p][lado] = static_cast<std::uint16_t>(r);
        dad[r] = static_cast<std::uint16_t>(p);
        NaLista(r, antes, depois, cabeca);
        return;
    substitui:
        Substitui(r, p);
    }

    // r takes the place of p, which holds the same F bytes, in the tree and
    // in the list.
    void Substitui(int r, int p) {
        dad[r] = dad[p];
        filho[r][0] = filho[p][0];
        filho[r][1] = filho[p][1];
        dad[filho[p][0]] = static_cast<std::uint16_t>(r);
        dad[filho[p][1]] = static_cast<std::uint16_t>(r);
        if (filho[dad[p]][1] == p)
            filho[dad[p]][1] = static_cast<std::uint16_t>(r);
        else
            filho[dad[p]][0] = static_cast<std::uint16_t>(r);
        dad[p] = NIL;
        ant[r] = ant[p];
        prox[r] = prox[p];
        prox[ant[p]] = static_cast<std::uint16_t>(r);
        ant[prox[p]] = static_cast<std::uint16_t>(r);
        Dedo(ant[r], prox[r], N + 1 + ring[r]);
    }

    void Dedo(int antes, int depois, int cabeca) {
        dedoAntes = antes != cabeca ? (antes + 1) & (N - 1) : NIL;
        dedoDepois = depois != cabeca ? (depois + 1) & (N - 1) : NIL;
    }

    // r into the list between its neighbours.
    void NaLista(int r, int antes, int depois, int cabeca) {
        ant[r] = static_cast<std::uint16_t>(antes);
        prox[r] = static_cast<std::uint16_t>(depois);
        prox[antes] = static_cast<std::uint16_t>(r);
        ant[depois] = static_cast<std::uint16_t>(r);
        Dedo(antes, depois, cabeca);
    }

    // Order of two F-byte keys of the same tree (their first bytes equal).
    static int Compara(const std::uint8_t *a, const std::uint8_t *b) {
        for (int k = 1;; k += 8) {
            const int kk = std::min(k, F - 8);
            const std::uint64_t x = Grande(a + kk), y = Grande(b + kk);
            if (x != y)
                return x < y ? -1 : 1;
            if (kk == F - 8)
                return 0;
        }
    }

    // The insertion of r without a match, from the neighbours of r - 1 (the
    // key inserted last) in key order rather than down the tree. When keys a and r - 1 of one tree
    // differ first at byte d > 0, keys a + 1 and r differ first at byte
    // d - 1, the same way: so if a + 1 is in the tree of r it is below r in
    // key order when a was below r - 1, and above it when a was above. From
    // there the list leads to the neighbours of r, and r goes where the walk
    // down the tree would put it: below its predecessor (right) when that
    // place is free, else below its successor (left). False, with nothing
    // changed, when neither node is in the tree or r is too far from them.
    bool InsereAoLado(int r) {
        const std::uint8_t *key = &ring[r];
        const int cabeca = N + 1 + key[0];
        auto valido = [&](int y) { return y != NIL && dad[y] != NIL && ring[y] == key[0]; };
        const int ya = valido(dedoAntes) ? dedoAntes : NIL;
        const int yd = valido(dedoDepois) ? dedoDepois : NIL;
        constexpr int MaxPassos = 16;
        int antes, depois;
        if (ya != NIL) {
            antes = ya;
            depois = prox[ya];
            for (int k = 0; depois != cabeca && depois != yd; ++k) {
                if (k == MaxPassos)
                    return false;
                const int c = Compara(key, &ring[depois]);
                if (c == 0) {
                    filho[r][0] = filho[r][1] = NIL;
                    Substitui(r, depois);
                    return true;
                }
                if (c < 0)
                    break;
                antes = depois;
                depois = prox[depois];
            }
        } else if (yd != NIL) {
            depois = yd;
            antes = ant[yd];
            for (int k = 0; antes != cabeca; ++k) {
                if (k == MaxPassos)
                    return false;
                const int c = Compara(key, &ring[antes]);
                if (c == 0) {
                    filho[r][0] = filho[r][1] = NIL;
                    Substitui(r, antes);
                    return true;
                }
                if (c > 0)
                    break;
                depois = antes;
                antes = ant[antes];
            }
        } else {
            return false;
        }
        filho[r][0] = filho[r][1] = NIL;
        int pai, lado;
        if (antes != cabeca && filho[antes][1] == NIL) {
            pai = antes;
            lado = 1;
        } else if (depois != cabeca) {
            pai = depois;
            lado = 0;
        } else {
            pai = cabeca;
            lado = 1;
        }
        filho[pai][lado] = static_cast<std::uint16_t>(r);
        dad[r] = static_cast<std::uint16_t>(pai);
        NaLista(r, antes, depois, cabeca);
        return true;
    }

    void DeleteNode(int p) {
        if (dad[p] == NIL)
            return;
        const int antes = ant[p];
        prox[antes] = prox[p];
        ant[prox[p]] = static_cast<std::uint16_t>(antes);
        int q;
        if (filho[p][1] == NIL) {
            q = filho[p][0];
        } else if (filho[p][0] == NIL) {
            q = filho[p][1];
        } else {
            // p's predecessor, the rightmost node below its left child,
            // takes its place.
            q = antes;
            if (q != filho[p][0]) {
                filho[dad[q]][1] = filho[q][0];
                dad[filho[q][0]] = dad[q];
                filho[q][0] = filho[p][0];
                dad[filho[p][0]] = static_cast<std::uint16_t>(q);
            }
            filho[q][1] = filho[p][1];
            dad[filho[p][1]] = static_cast<std::uint16_t>(q);
        }
        dad[q] = dad[p];
        if (filho[dad[p]][1] == p)
            filho[dad[p]][1] = static_cast<std::uint16_t>(q);
        else
            filho[dad[p]][0] = static_cast<std::uint16_t>(q);
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
        std::fill(&e->filho[0][0], &e->filho[0][0] + 2 * (N + 257), std::uint16_t{NIL});
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

    e->saida.resize(static_cast<std::size_t>(total / 2) + 64);
    e->escrita = e->saida.data();
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
        e->InsertNode<false>(r - i);
    e->InsertNode(r);
    do {
        e->ReservaSaida();
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
            // Only the last insertion's match is coded.
            if (i + 1 == last)
                e->InsertNode(r);
            else if (!e->InsereAoLado(r))
                e->InsertNode<false>(r);
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
    e->ReservaSaida();
    e->EncodeEnd();
    destino.append(reinterpret_cast<const char *>(e->saida.data()), e->escrita - e->saida.data());
    codificados_ = e->codificados;
    return bytesLidos;
}

bool TLZH::Descompacta(std::int32_t tamanho, const QByteArray &origem, QByteArray &destino) {
    auto e = NovoEstado();
    if (!e)
        throw std::bad_alloc();
    e->entrada = reinterpret_cast<const std::uint8_t *>(origem.constData());
    e->fimEntrada = e->entrada + origem.size();
    e->StartHuff();
    // The output is written in one piece straight into 'destino': a match
    // reads the byte v + 1 places back, or, before the first output byte, the
    // ring as it starts (spaces, and zeros where the first output goes). The
    // output is at most 60 bytes per ten coded bits: no more is reserved
    // than the input can yield; a last match may run F - 1 bytes past it.
    const qsizetype base = destino.size();
    const qsizetype fim = std::max(tamanho, 0);
    qsizetype espaco = std::min<qint64>(fim, origem.size() * 48 + F) + 2 * F;
    destino.resize(base + espaco);
    auto *saida = reinterpret_cast<std::uint8_t *>(destino.data()) + base;
    auto inicial = [](qsizetype k) { // k < 0: the ring before any output
        return static_cast<std::uint8_t>(((N - F + k) & (N - 1)) < N - F ? 0x20 : 0);
    };
    qsizetype pos = 0;
    bool ok = true;
    while (pos < fim) {
        if (pos + 2 * F > espaco) {
            espaco = pos + 2 * F + 64 * 1024;
            destino.resize(base + espaco);
            saida = reinterpret_cast<std::uint8_t *>(destino.data()) + base;
        }
        const int c = e->DecodeChar();
        if (c < 256) {
            saida[pos++] = static_cast<std::uint8_t>(c);
        } else {
            const int v = e->DecodePosition();
            const int j = c - 255 + THRESHOLD;
            const qsizetype de = pos - v - 1;
            std::uint8_t *d = saida + pos;
            if (de >= 0 && v + 1 >= 8) {
                // Eight bytes at a time read only bytes already written;
                // the few written past the match are overwritten later.
                const std::uint8_t *o = saida + de;
                for (int k = 0; k < j; k += 8)
                    std::memcpy(d + k, o + k, 8);
            } else if (de >= 0) {
                const std::uint8_t *o = saida + de;
                for (int k = 0; k < j; ++k)
                    d[k] = o[k];
            } else {
                for (int k = 0; k < j; ++k)
                    d[k] = de + k < 0 ? inicial(de + k) : saida[de + k];
            }
            pos += j;
        }
        if (e->PassouDoFim()) {
            ok = false;
            break;
        }
    }
    destino.resize(base + pos);
    return ok;
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
    const QByteArray codigo = container.size() > TamCabecalho
                                  ? QByteArray::fromRawData(container.constData() + TamCabecalho,
                                                            container.size() - TamCabecalho)
                                  : QByteArray();
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
