#include "exchange/csv/CsvLineReader.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

CCsvLineReader::CCsvLineReader(QIODevice &device)
    : m_device(device)
    , m_offset(device.pos())
    , m_lineStart(m_offset)
{
}

bool CCsvLineReader::Fill()
{
    if (m_atEnd || !m_error.isEmpty())
        return false;
    // What was read already goes; the line being looked at moves to the front.
    m_buffer.remove(0, m_pos);
    m_offset += m_pos;
    m_pos = 0;
    const qsizetype have = m_buffer.size();
    m_buffer.resize(have + kChunk);
    const qint64 got = m_device.read(m_buffer.data() + have, kChunk);
    m_buffer.resize(have + qMax<qint64>(got, 0));
    if (got < 0) {
        m_error = m_device.errorString();
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    return true;
}

CCsvLineReader::Next CCsvLineReader::Read(QByteArrayView &line)
{
    qsizetype scanned = 0; // bytes of the line already known to hold no line end
    for (;;) {
        const char *start = m_buffer.constData() + m_pos;
        const qsizetype available = m_buffer.size() - m_pos;
        qsizetype end = scanned;
        while (end < available && start[end] != '\n' && start[end] != '\r')
            ++end;
        // A carriage return at the end of the buffer may be the first half of
        // CR LF: the next byte decides.
        const bool complete = end < available && (start[end] == '\n' || end + 1 < available || m_atEnd);
        if (complete || (m_atEnd && end == available && available > 0)) {
            if (end > kMaxLine)
                return Next::TooLong;
            if (std::memchr(start, '\0', size_t(end)))
                return Next::NotText;
            line = QByteArrayView(start, end);
            m_lineStart = m_offset + m_pos;
            qsizetype next = end;
            if (next < available) {
                ++next;
                if (start[end] == '\r' && next < available && start[next] == '\n')
                    ++next;
            }
            m_pos += next;
            return Next::Line;
        }
        if (end > kMaxLine)
            return Next::TooLong;
        if (std::memchr(start, '\0', size_t(end)))
            return Next::NotText; // refused before reading on to the line's end
        scanned = end;
        if (!Fill()) {
            if (!m_error.isEmpty())
                return Next::Failed;
            if (m_buffer.size() - m_pos == 0)
                return Next::End;
        }
    }
}

bool CCsvLineReader::Restart(qint64 offset)
{
    if (!m_device.seek(offset)) {
        m_error = m_device.errorString();
        return false;
    }
    m_buffer.clear();
    m_offset = offset;
    m_pos = 0;
    m_lineStart = offset;
    m_atEnd = false;
    return true;
}
