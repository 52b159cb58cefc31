#include "model/CompactText.h"

#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

bool AllLatin1(QStringView text)
{
    return std::all_of(text.utf16(), text.utf16() + text.size(), [](char16_t c) { return c < 0x100; });
}

} // namespace

CCompactText::CCompactText(QStringView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    if (AllLatin1(text)) {
        m_data = QByteArray(n + 1, Qt::Uninitialized);
        char *out = m_data.data();
        const char16_t *in = text.utf16();
        for (qsizetype i = 0; i < n; ++i)
            out[i] = static_cast<char>(in[i]);
        out[n] = kLatin1;
        return;
    }
    m_data = QByteArray(n * 2 + 1, Qt::Uninitialized);
    std::memcpy(m_data.data(), text.utf16(), n * 2);
    m_data[n * 2] = kWide;
}

CCompactText::CCompactText(QLatin1StringView text)
{
    const qsizetype n = text.size();
    if (n == 0)
        return;
    m_data = QByteArray(n + 1, Qt::Uninitialized);
    std::memcpy(m_data.data(), text.data(), n);
    m_data[n] = kLatin1;
}

CCompactText CCompactText::FromUtf16LE(const char *data, qsizetype units)
{
    CCompactText text;
    if (units <= 0)
        return text;
    bool latin1 = true;
    for (qsizetype i = 0; i < units && latin1; ++i)
        latin1 = data[2 * i + 1] == 0;
    if (latin1) {
        text.m_data = QByteArray(units + 1, Qt::Uninitialized);
        char *out = text.m_data.data();
        for (qsizetype i = 0; i < units; ++i)
            out[i] = data[2 * i];
        out[units] = kLatin1;
        return text;
    }
    text.m_data = QByteArray(units * 2 + 1, Qt::Uninitialized);
    char *out = text.m_data.data();
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, data, units * 2);
    } else {
        for (qsizetype i = 0; i < units; ++i)
            qToUnaligned(qFromLittleEndian<quint16>(data + 2 * i), out + 2 * i);
    }
    out[units * 2] = kWide;
    return text;
}

qsizetype CCompactText::size() const
{
    if (m_data.isEmpty())
        return 0;
    const qsizetype bytes = m_data.size() - 1;
    return IsLatin1() ? bytes : bytes / 2;
}

QAnyStringView CCompactText::View() const
{
    if (IsLatin1())
        return QLatin1StringView(m_data.constData(), qMax<qsizetype>(0, m_data.size() - 1));
    return QStringView(Wide(), size());
}

QString CCompactText::ToString() const
{
    if (m_data.isEmpty())
        return QString();
    if (IsLatin1())
        return QString::fromLatin1(m_data.constData(), m_data.size() - 1);
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
    const uchar *in = reinterpret_cast<const uchar *>(m_data.constData());
    for (qsizetype i = 0; i < n; ++i)
        out[i] = in[i];
    return QStringView(out, n);
}
