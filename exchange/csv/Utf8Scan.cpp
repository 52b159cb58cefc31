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
