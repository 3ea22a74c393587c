#include "data/LineScanner.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

#ifdef __SSE2__
std::uint64_t TopBits(__m128i bytes)
{
    return std::uint32_t(_mm_movemask_epi8(bytes));
}

__m128i Equal(__m128i bytes, char c)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

} // namespace

LineScanner::Marks LineScanner::MarksOf(const char *bytes)
{
    Marks marks;
    __m128i any = _mm_setzero_si128();
    for (qsizetype i = 0; i < kBlock / 16; ++i) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * i));
        marks.lineEnds |= TopBits(Equal(chunk, '\n')) << (16 * i);
        marks.hashes |= TopBits(Equal(chunk, '#')) << (16 * i);
        marks.dollars |= TopBits(Equal(chunk, '$')) << (16 * i);
        any = _mm_or_si128(any, chunk);
    }
    marks.nonAscii = TopBits(any);
    return marks;
}

#else
} // namespace

LineScanner::Marks LineScanner::MarksOf(const char *bytes)
{
    Marks marks;
    for (int i = 0; i < kBlock; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        marks.lineEnds |= bytes[i] == '\n' ? bit : 0;
        marks.hashes |= bytes[i] == '#' ? bit : 0;
        marks.dollars |= bytes[i] == '$' ? bit : 0;
        marks.nonAscii |= (static_cast<unsigned char>(bytes[i]) & 0x80) ? bit : 0;
    }
    return marks;
}
#endif

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
    const Marks marks = MarksOf(bytes);
    if (marks.nonAscii)
        m_utf8.Block(block, bytes);
    return marks;
}
