#include "data/Utf8Check.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The bytes from 0xC0 up, which begin a sequence or are not UTF-8 at all;
// and in nonAscii, all bytes above 0x7F.
std::uint64_t LeadBytes(const char *bytes, std::uint64_t &nonAscii)
{
    std::uint64_t leads = 0;
    nonAscii = 0;
#ifdef __SSE2__
    const auto topBits = [](__m128i b) { return std::uint64_t(std::uint32_t(_mm_movemask_epi8(b))); };
    for (qsizetype i = 0; i < Utf8Check::kBlock / 16; ++i) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + 16 * i));
        nonAscii |= topBits(chunk) << (16 * i);
        // Each byte's top two bits, shifted to the top: both set from 0xC0 up.
        // The 16-bit shift carries a bit into the next byte's lowest bit,
        // which is never looked at.
        leads |= topBits(_mm_and_si128(chunk, _mm_slli_epi16(chunk, 1))) << (16 * i);
    }
#else
    for (int i = 0; i < Utf8Check::kBlock; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        leads |= byte >= 0xC0 ? std::uint64_t(1) << i : 0;
        nonAscii |= byte >= 0x80 ? std::uint64_t(1) << i : 0;
    }
#endif
    return leads;
}

// The bits from first to last (below 64); none when first is past last.
std::uint64_t Bits(int first, int last)
{
    return first > last ? 0 : (~std::uint64_t(0) << first) & (~std::uint64_t(0) >> (63 - last));
}

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

void Utf8Check::Block(const char *block, const char *bytes)
{
    if (m_firstInvalid)
        return;
    std::uint64_t nonAscii;
    const std::uint64_t leads = LeadBytes(bytes, nonAscii);
    std::uint64_t later = m_laterBytes; // of sequences begun before
    m_laterBytes = 0;
    std::uint64_t checked = ~std::uint64_t(0); // up to the first bad sequence
    for (std::uint64_t next = leads; next; next &= next - 1) {
        const int at = std::countr_zero(next);
        const int length = int(Utf8SequenceLength(block + at, m_end));
        if (length == 0) {
            m_firstInvalid = block + at;
            checked = (std::uint64_t(1) << at) - 1; // the bytes before it
            break;
        }
        const int last = at + length - 1;
        later |= Bits(at + 1, qMin(last, kBlock - 1));
        if (last >= kBlock)
            m_laterBytes = Bits(0, last - kBlock);
    }
    const std::uint64_t stray = nonAscii & ~leads & ~later & checked;
    if (stray)
        m_firstInvalid = block + std::countr_zero(stray);
}
