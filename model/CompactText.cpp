#include "model/CompactText.h"

#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

static_assert(sizeof(CCompactText) == sizeof(void *));

namespace {

bool AllLatin1(QStringView text)
{
    return std::all_of(text.utf16(), text.utf16() + text.size(), [](char16_t c) { return c < 0x100; });
}

} // namespace

CCompactText::Block *CCompactText::Allocate(qsizetype units, bool wide)
{
    // The count must leave the form's bit free: a text of two thousand
    // million characters or more is more than any list can hold anyway.
    if (units <= 0 || units > qsizetype(kUnitsMask))
        qBadAlloc();
    static_assert(sizeof(Block) == 8 && alignof(Block) <= 8, "UTF-16 characters start aligned");
    void *memory = std::malloc(sizeof(Block) + size_t(wide ? 2 * units : units));
    if (!memory)
        qBadAlloc();
    return new (memory) Block{{1}, quint32(units) | (wide ? kWide : 0)};
}

void CCompactText::Free(Block *block) noexcept
{
    block->~Block();
    std::free(block);
}

CCompactText::CCompactText(QStringView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    if (AllLatin1(text)) {
        m_block = Allocate(n, false);
        char *out = Chars(m_block);
        const char16_t *in = text.utf16();
        for (qsizetype i = 0; i < n; ++i)
            out[i] = static_cast<char>(in[i]);
        return;
    }
    m_block = Allocate(n, true);
    std::memcpy(Chars(m_block), text.utf16(), size_t(n) * 2);
}

CCompactText::CCompactText(QLatin1StringView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    m_block = Allocate(n, false);
    std::memcpy(Chars(m_block), text.data(), size_t(n));
}

CCompactText CCompactText::FromUtf16LE(const char *data, qsizetype units)
{
    CCompactText text;
    if (units <= 0)
        return text;
    bool latin1 = true;
    for (qsizetype i = 0; i < units && latin1; ++i)
        latin1 = data[2 * i + 1] == 0;
    text.m_block = Allocate(units, !latin1);
    char *out = Chars(text.m_block);
    if (latin1) {
        for (qsizetype i = 0; i < units; ++i)
            out[i] = data[2 * i];
    } else if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, data, size_t(units) * 2);
    } else {
        for (qsizetype i = 0; i < units; ++i)
            qToUnaligned(qFromLittleEndian<quint16>(data + 2 * i), out + 2 * i);
    }
    return text;
}

bool operator==(const CCompactText &a, const CCompactText &b) noexcept
{
    if (a.m_block == b.m_block)
        return true;
    // One character or more in each; the count and the form first.
    return a.m_block && b.m_block && a.m_block->units == b.m_block->units
            && std::memcmp(CCompactText::Chars(a.m_block), CCompactText::Chars(b.m_block), size_t(a.Bytes())) == 0;
}

size_t CCompactText::Hash(size_t seed) const noexcept
{
    if (!m_block)
        return qHash(0u, seed);
    return qHashBits(Chars(m_block), size_t(Bytes()), qHash(m_block->units, seed));
}

QAnyStringView CCompactText::View() const
{
    if (!m_block)
        return QLatin1StringView("");
    if (IsLatin1())
        return QLatin1StringView(Chars(m_block), size());
    return QStringView(Wide(), size());
}

QString CCompactText::ToString() const
{
    if (!m_block)
        return QString();
    if (IsLatin1())
        return QString::fromLatin1(Chars(m_block), size());
    return QString(reinterpret_cast<const QChar *>(Wide()), size());
}

QStringView CCompactText::Utf16(QString &scratch) const
{
    if (!IsLatin1())
        return QStringView(Wide(), size());
    const qsizetype n = size();
    // resize keeps the buffer once it is large enough.
    scratch.resize(n);
    char16_t *out = reinterpret_cast<char16_t *>(scratch.data());
    const uchar *in = m_block ? reinterpret_cast<const uchar *>(Chars(m_block)) : nullptr;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = in[i];
    return QStringView(out, n);
}
