#pragma once

#include "data/Utf8Check.h"

#include <QtGlobal>

#include <bit>
#include <cstdint>

// Goes through a text file's bytes line by line, 64 bytes at a time: each
// block is read once, into bit masks of its line ends, '#' and '$' bytes and
// bytes above 0x7F, and the lines are found from the masks, so a short line
// costs a few bit operations rather than a search of its own. Blocks that
// hold a byte above 0x7F are also checked for UTF-8 (Utf8Check); plain ASCII
// costs nothing more.
//
// LF ends a line, and the CR of a CR LF is left out of its length; a last
// line without a line end is still a line. While it is handed a line, the
// caller may rewrite bytes up to that line's end, never after it: the
// blocks are read before, and the bytes after are still to be read.
class LineScanner
{
public:
    struct Line
    {
        char *begin;
        qsizetype length; // without its line end
        char *next; // where the next line begins
        bool hasHash; // a '#' in the line
        bool hasDollar; // a '$' in the line
    };

    LineScanner(char *begin, char *end);

    // Hands each line to onLine in order, until it returns false or the
    // bytes end.
    template<typename OnLine>
    void Scan(OnLine &&onLine);
    // Where the first byte that is not valid UTF-8 begins, among the blocks
    // read so far (the last one's sequences checked to their end); nullptr
    // when there is none.
    const char *FirstInvalidUtf8() const { return m_utf8.FirstInvalid(); }

    static constexpr int kBlock = Utf8Check::kBlock; // bytes read at a time

private:
    struct Marks
    {
        std::uint64_t lineEnds = 0; // one bit per byte of the block
        std::uint64_t hashes = 0;
        std::uint64_t dollars = 0;
        std::uint64_t nonAscii = 0; // not 0 when the block holds any byte above 0x7F
    };

    static Marks MarksOf(const char *bytes);
    Marks Read(char *block);

    char *m_base;
    char *m_end;
    Utf8Check m_utf8;
};

template<typename OnLine>
void LineScanner::Scan(OnLine &&onLine)
{
    char *begin = m_base; // of the line not yet ended
    std::uint64_t hashesBefore = 0; // in its part in earlier blocks
    std::uint64_t dollarsBefore = 0;
    for (qsizetype offset = 0; offset < m_end - m_base; offset += kBlock) {
        char *const block = m_base + offset;
        const Marks marks = Read(block);
        std::uint64_t lineEnds = marks.lineEnds;
        std::uint64_t from = ~std::uint64_t(0); // the bits of the block from the line's start
        while (lineEnds) {
            const std::uint64_t end = lineEnds & -lineEnds;
            const std::uint64_t inLine = from & (end - 1);
            char *const lf = block + std::countr_zero(lineEnds);
            const qsizetype length = lf - begin - (lf > begin && lf[-1] == '\r' ? 1 : 0);
            if (!onLine(Line{begin, length, lf + 1, ((marks.hashes & inLine) | hashesBefore) != 0,
                             ((marks.dollars & inLine) | dollarsBefore) != 0}))
                return;
            from = ~(end | (end - 1)); // the bits after the line end
            lineEnds ^= end;
            hashesBefore = dollarsBefore = 0;
            begin = lf + 1;
        }
        hashesBefore |= marks.hashes & from;
        dollarsBefore |= marks.dollars & from;
    }
    if (begin < m_end)
        onLine(Line{begin, m_end - begin, m_end, hashesBefore != 0, dollarsBefore != 0});
}
