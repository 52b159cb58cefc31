#include "exchange/csv/Utf8Scan.h"

void CUtf8Scan::Feed(const char *data, qsizetype size)
{
    if (!m_valid)
        return;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned b = static_cast<unsigned char>(data[i]);
        if (m_need > 0) {
            if (b < m_low || b > m_high) {
                m_valid = false;
                return;
            }
            m_low = 0x80;
            m_high = 0xBF;
            --m_need;
            continue;
        }
        if (b < 0x80)
            continue;
        m_multiByte = true;
        if (b >= 0xC2 && b <= 0xDF) {
            m_need = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_need = 2;
            if (b == 0xE0)
                m_low = 0xA0; // no overlong forms
            else if (b == 0xED)
                m_high = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_need = 3;
            if (b == 0xF0)
                m_low = 0x90;
            else if (b == 0xF4)
                m_high = 0x8F; // nothing past U+10FFFF
        } else {
            m_valid = false;
            return;
        }
    }
}

namespace Utf8 {

qsizetype WholeCharacterLength(const char *data, qsizetype size)
{
    // Find the last lead byte among the final four bytes.
    for (qsizetype back = 1; back <= 4 && back <= size; ++back) {
        const qsizetype at = size - back;
        const unsigned b = static_cast<unsigned char>(data[at]);
        if ((b & 0xC0) == 0x80)
            continue; // a continuation byte
        int length = 1;
        if (b >= 0xC2 && b <= 0xDF)
            length = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            length = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            length = 4;
        if (back < length && at > 0)
            return at; // the last character is incomplete: leave it for the next piece
        return size;
    }
    return size;
}

} // namespace Utf8
