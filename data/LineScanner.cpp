#include "data/LineScanner.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

#ifdef __SSE2__
std::uint64_t Matches(__m128i matches)
{
    return std::uint32_t(_mm_movemask_epi8(matches));
}

__m128i Equal(__m128i bytes, char c)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}
#endif

// The length of the valid UTF-8 sequence that begins at p, before end; 0
// when none does (a stray or missing continuation byte, an overlong form, a
// surrogate or a code point above U+10FFFF).
qsizetype Utf8SequenceLength(const char *p, const char *end)
{
    const auto byte = [p](qsizetype i) { return static_cast<unsigned char>(p[i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    }
    if (length == 0 || end - p < length || byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

LineScanner::LineScanner(char *begin, char *end)
    : m_base(begin)
    , m_end(end)
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
    Marks marks;
    std::uint64_t nonAscii = 0;
#ifdef __SSE2__
    for (int i = 0; i < kBlock / 16; ++i) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * i));
        marks.lineEnds |= Matches(Equal(chunk, '\n')) << (16 * i);
        marks.hashes |= Matches(Equal(chunk, '#')) << (16 * i);
        marks.dollars |= Matches(Equal(chunk, '$')) << (16 * i);
        nonAscii |= Matches(chunk) << (16 * i);
    }
#else
    for (int i = 0; i < kBlock; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        marks.lineEnds |= bytes[i] == '\n' ? bit : 0;
        marks.hashes |= bytes[i] == '#' ? bit : 0;
        marks.dollars |= bytes[i] == '$' ? bit : 0;
        nonAscii |= (static_cast<unsigned char>(bytes[i]) & 0x80) ? bit : 0;
    }
#endif
    if (nonAscii && !m_firstInvalidUtf8)
        CheckUtf8(block, nonAscii);
    return marks;
}

// Checks each sequence that begins in the block; its later bytes may lie in
// the next one, which nothing has rewritten yet.
void LineScanner::CheckUtf8(const char *block, std::uint64_t nonAscii)
{
    for (; nonAscii; nonAscii &= nonAscii - 1) {
        const char *const p = block + std::countr_zero(nonAscii);
        if (p < m_sequenceEnd)
            continue; // a later byte of the sequence before
        const qsizetype length = Utf8SequenceLength(p, m_end);
        if (length == 0) {
            m_firstInvalidUtf8 = p;
            return;
        }
        m_sequenceEnd = p + length;
    }
}
