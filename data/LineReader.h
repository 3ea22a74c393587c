#pragma once

#include <QByteArrayView>

#include <cstring>

// Splits a text file's bytes into lines the way a text-mode read does:
// CR LF or a bare LF ends a line and is removed; any other CR is part of
// the line. A last line without a line end is still a line.
class LineReader
{
public:
    explicit LineReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    // Sets line to the next line; false at end of input.
    bool ReadLine(QByteArrayView &line)
    {
        const qsizetype size = m_bytes.size();
        if (m_pos >= size)
            return false;
        const char *begin = m_bytes.data() + m_pos;
        const auto *lf = static_cast<const char *>(std::memchr(begin, '\n', size_t(size - m_pos)));
        qsizetype length = lf ? lf - begin : size - m_pos;
        m_pos += lf ? length + 1 : length;
        if (lf && length > 0 && begin[length - 1] == '\r')
            --length;
        line = QByteArrayView(begin, length);
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};
