#include "data/LineScanner.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

static_assert(LineScanner::kBlock == Utf8Check::kBlock);

namespace {

// One bit per byte of a block.
struct Masks
{
    std::uint64_t lineEnds = 0;
    std::uint64_t hashes = 0;
    std::uint64_t dollars = 0;
    std::uint64_t nonAscii = 0; // not 0 when the block holds any byte above 0x7F
};

#ifdef __SSE2__
std::uint64_t TopBits(__m128i bytes)
{
    return std::uint32_t(_mm_movemask_epi8(bytes));
}

__m128i Equal(__m128i bytes, char c)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

Masks MasksOf(const char *bytes)
{
    Masks masks;
    __m128i any = _mm_setzero_si128();
    for (qsizetype i = 0; i < LineScanner::kBlock / 16; ++i) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * i));
        masks.lineEnds |= TopBits(Equal(chunk, '\n')) << (16 * i);
        masks.hashes |= TopBits(Equal(chunk, '#')) << (16 * i);
        masks.dollars |= TopBits(Equal(chunk, '$')) << (16 * i);
        any = _mm_or_si128(any, chunk);
    }
    masks.nonAscii = TopBits(any);
    return masks;
}

#else
Masks MasksOf(const char *bytes)
{
    Masks masks;
    for (int i = 0; i < LineScanner::kBlock; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        masks.lineEnds |= bytes[i] == '\n' ? bit : 0;
        masks.hashes |= bytes[i] == '#' ? bit : 0;
        masks.dollars |= bytes[i] == '$' ? bit : 0;
        masks.nonAscii |= (static_cast<unsigned char>(bytes[i]) & 0x80) ? bit : 0;
    }
    return masks;
}
#endif

} // namespace

LineScanner::LineScanner(char *begin, char *end)
    : m_base(begin)
    , m_end(end)
    , m_utf8(end)
{
}

LineScanner::Marks LineScanner::Read(char *block)
{
    const char *bytes = block;
    char tail[kBlock];
    if (m_end - block < kBlock) {
        std::memset(tail, 0, sizeof tail);
        // The last block, padded with NULs, which match nothing.
        std::memcpy(tail, block, size_t(m_end - block));
        bytes = tail;
    }
    const Masks masks = MasksOf(bytes);
    if (masks.nonAscii)
        m_utf8.Block(block, bytes);
    return {masks.lineEnds, masks.hashes, masks.dollars};
}
