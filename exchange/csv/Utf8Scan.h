#pragma once

#include <QtGlobal>

// Checks a byte stream for well-formed UTF-8 piece by piece, so a file can be
// judged without holding it in memory. Overlong forms, surrogates and code
// points past U+10FFFF count as malformed.
class CUtf8Scan
{
public:
    void Feed(const char *data, qsizetype size);
    // True when everything fed so far is well formed and ends on a whole
    // character.
    bool Valid() const { return m_valid && m_need == 0; }
    // True once a malformed sequence was seen; more input cannot mend it.
    bool Malformed() const { return !m_valid; }
    // True when a character of two or more bytes was seen.
    bool SawMultiByte() const { return m_multiByte; }

private:
    bool m_valid = true;
    bool m_multiByte = false;
    int m_need = 0;          // continuation bytes still expected
    unsigned m_low = 0x80;   // range of the next continuation byte
    unsigned m_high = 0xBF;
};

namespace Utf8 {

// The three bytes of the UTF-8 byte-order mark.
constexpr unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};

} // namespace Utf8
