#include "exchange/csv/CsvPieceReader.h"

#include "exchange/csv/Utf8Scan.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

CCsvPieceReader::CCsvPieceReader(QIODevice &device, bool utf8)
    : m_device(device), m_utf8(utf8)
{
}

void CCsvPieceReader::Fill()
{
    if (m_atEnd || m_failed || m_buffer.size() - m_pos >= kMaxPiece)
        return;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    while (!m_atEnd && m_buffer.size() < kMaxPiece) {
        const qsizetype have = m_buffer.size();
        m_buffer.resize(have + kChunk);
        const qint64 got = m_device.read(m_buffer.data() + have, kChunk);
        if (got < 0) {
            m_buffer.resize(have);
            m_failed = true;
            m_error = m_device.errorString();
            return;
        }
        m_buffer.resize(have + got);
        if (got == 0)
            m_atEnd = true;
    }
}

bool CCsvPieceReader::Next(QByteArrayView &piece)
{
    Fill();
    m_cutAtLimit = false;
    if (m_failed)
        return false;
    const qsizetype available = m_buffer.size() - m_pos;
    if (available == 0)
        return false;
    const char *start = m_buffer.constData() + m_pos;
    const qsizetype window = qMin(available, kMaxPiece);
    const void *lineFeed = std::memchr(start, '\n', static_cast<size_t>(window));
    qsizetype length = window;
    if (lineFeed) {
        length = static_cast<const char *>(lineFeed) - start + 1;
    } else if (window == kMaxPiece) {
        m_cutAtLimit = true;
        if (m_utf8)
            length = Utf8::WholeCharacterLength(start, window);
    }
    piece = QByteArrayView(start, length);
    m_pos += length;
    return true;
}
