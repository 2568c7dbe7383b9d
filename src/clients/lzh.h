#pragma once
// The client file's container: a 12-byte header ("@LHC", uncompressed size,
// CRC-32 of the payload) followed by the payload coded with LZHUF (LZ77 over
// a 4096-byte ring, matches of 3 to 60 bytes, adaptive Huffman code over 314
// symbols, fixed prefix code for the upper six bits of the offset).
//
// Every constant, table and tie-break here is part of the file format: two
// writers that follow it produce identical files for the same payload.
//
// The coder works on payloads held whole in memory; the stream operations
// read their source whole and write the result to their destination.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

class QIODevice;

namespace quellora {

// Exact messages of the container.
inline constexpr const char *MsgNaoLzh = "Not LZH Compressed !";
inline constexpr const char *MsgTamanhoDifere = "Decompression Error: Size Mismatch !";
inline constexpr const char *MsgCrcDifere = "CRC Decompression Error !";
inline constexpr const char *MsgSemMemoria = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char *MsgLiberaMemoria = "LZH : Error freeing memory for dictionary tables";

// CRC-32 of ISO 3309 / PKZIP / zlib (reflected polynomial EDB88320, preset
// and final xor FFFFFFFF).
class TCRC32 {
public:
    TCRC32();
    // CRC of the stream's bytes from position 0 to its size, read in chunks
    // of 10240 bytes; the stream's position is put back where it was.
    std::uint32_t StreamCRC32(QIODevice &stream) const;
    std::uint32_t Calcula(const char *dados, std::size_t n) const;
    std::uint32_t Calcula(const QByteArray &dados) const {
        return Calcula(dados.constData(), static_cast<std::size_t>(dados.size()));
    }
    const std::array<std::uint32_t, 256> &Tabela() const { return tabela_; }

private:
    std::uint32_t Acumula(std::uint32_t reg, const char *dados, std::size_t n) const;
    std::array<std::uint32_t, 256> tabela_;
    // tabelas_[k][b]: the register change of byte b followed by k zero
    // bytes, for eight bytes at a time.
    std::array<std::array<std::uint32_t, 256>, 8> tabelas_;
};

// The LZHUF coder. Its working arrays (about 33 KB) live only for one call.
class TLZH {
public:
    static constexpr int N = 4096;
    static constexpr int F = 60;
    static constexpr int THRESHOLD = 2;
    static constexpr int NIL = N;
    static constexpr int N_CHAR = 256 - THRESHOLD + F; // 314
    static constexpr int T = 2 * N_CHAR - 1;          // 627
    static constexpr int R = T - 1;                   // 626
    static constexpr unsigned MAX_FREQ = 0x8000;

    // Codes the whole of 'origem', appending the bit stream to 'destino'.
    // Returns the number of payload bytes read.
    std::int32_t Compacta(const QByteArray &origem, QByteArray &destino);

    // Decodes 'tamanho' payload bytes from the bit stream 'origem',
    // appending them to 'destino'. The last match is not cut at 'tamanho'.
    // Returns false when the decoding needs more bits than 'origem' holds
    // (a cut or corrupt stream): what was decoded so far stays in 'destino'.
    bool Descompacta(std::int32_t tamanho, const QByteArray &origem, QByteArray &destino);

    // Coded bytes written by the last compression.
    std::int32_t BytesCodificados() const { return codificados_; }

private:
    std::int32_t codificados_ = 0;
};

// Offset prefix-code tables (upper six bits of a 12-bit match offset).
extern const std::array<std::uint8_t, 64> p_len;
extern const std::array<std::uint8_t, 64> p_code;
extern const std::array<std::uint8_t, 256> d_code;
extern const std::array<std::uint8_t, 256> d_len;

// Writes the container for the whole of 'source' into 'destination' (both
// positioned at 0 first; the destination is not truncated, pass an empty
// one). Fails only when reading or writing fails.
[[nodiscard]] bool CompressStream(QIODevice &source, QIODevice &destination, QString *erro);

// Reads a container from 'source' and writes the payload into 'destination'.
// Fails with one of the container messages above; the destination then
// keeps whatever was written and the caller discards it.
[[nodiscard]] bool DecompressStream(QIODevice &source, QIODevice &destination, QString *erro);

// The same on byte arrays.
QByteArray CompactaContainer(const QByteArray &payload);
[[nodiscard]] bool DescompactaContainer(const QByteArray &container, QByteArray &payload, QString *erro);

} // namespace quellora
