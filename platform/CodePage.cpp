#include "platform/CodePage.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

// A small owner for one iconv descriptor; iconv keeps shift state per
// descriptor, so each call opens its own.
class Iconv
{
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) { }
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

namespace CodePage {

QByteArray ToWindows1252(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    Iconv cv("WINDOWS-1252", "UTF-16LE");
    if (!cv.valid())
        return {};
    QByteArray out(text.size(), Qt::Uninitialized);
    char *in = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    char *dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (iconv(cv.get(), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1))
        return {};
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    if (ok)
        *ok = true;
    return out;
}

QString FromWindows1252(const QByteArray &bytes)
{
    // The table is asked of iconv once; a byte it refuses maps to U+FFFD.
    static const auto table = [] {
        std::array<char16_t, 256> t{};
        Iconv cv("UTF-16LE", "WINDOWS-1252");
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            char *src = &in;
            size_t inLeft = 1;
            char16_t unit = 0;
            char *dst = reinterpret_cast<char *>(&unit);
            size_t outLeft = sizeof unit;
            const bool good = cv.valid()
                    && iconv(cv.get(), &src, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)
                    && outLeft == 0;
            if (cv.valid())
                iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
            t[static_cast<size_t>(b)] = good ? unit : (b < 0x80 ? char16_t(b) : char16_t(0xFFFD));
        }
        return t;
    }();
    QString result(bytes.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (char c : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(c)]);
    return result;
}

} // namespace CodePage
