#pragma once

#include <QtGlobal>

#include <cstdint>

// Checks UTF-8 block by block, front to back, as LineScanner reads a
// buffer: each sequence begins at a byte from 0xC0 up, and every other byte
// above 0x7F must be one of a sequence's later bytes, which may lie in the
// next block. Only blocks that hold a byte above 0x7F need checking.
class Utf8Check
{
public:
    static constexpr int kBlock = 64; // bytes per block: a bit each in a 64-bit mask

    explicit Utf8Check(const char *end)
        : m_end(end)
    {
    }

    // Checks the block at block, whose bytes (padded with NULs when it is
    // the last) are in bytes; the bytes after it, up to the end, must not
    // have been rewritten yet.
    void Block(const char *block, const char *bytes);
    // Where the first byte that is not valid UTF-8 begins, among the blocks
    // checked; nullptr when there is none.
    const char *FirstInvalid() const { return m_firstInvalid; }

private:
    const char *m_end;
    std::uint64_t m_laterBytes = 0; // in the next block, of a sequence begun in this one
    const char *m_firstInvalid = nullptr;
};
