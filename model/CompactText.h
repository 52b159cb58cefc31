#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QHashFunctions>
#include <QString>

// An item's text as it is kept while the program runs: one byte a character
// where every character is Latin-1, as the names and descriptions of most
// lists are, else UTF-16. Items are most of what the program holds, and
// most of an item is its two texts. A value, shared on copy like QString.
//
// The form is decided by the text alone, so equal texts have equal bytes.
class CCompactText
{
public:
    CCompactText() = default;
    CCompactText(QStringView text); // NOLINT(google-explicit-constructor): a text is a text
    CCompactText(const QString &text)
        : CCompactText(QStringView(text))
    {
    }
    CCompactText(const char16_t *text)
        : CCompactText(QStringView(text))
    {
    }
    CCompactText(QLatin1StringView text);

    // `units` UTF-16 code units, little-endian, as the data file stores them.
    static CCompactText FromUtf16LE(const char *data, qsizetype units);

    operator QString() const { return ToString(); }
    QString ToString() const;
    // The text where it lies: Latin-1 or UTF-16. Valid while this object is
    // unchanged.
    QAnyStringView View() const;
    // The text as UTF-16 code units: the payload itself when it is held so,
    // else widened into `scratch`, whose buffer is reused from call to call.
    QStringView Utf16(QString &scratch) const;

    bool isEmpty() const { return m_data.size() <= 1; }
    qsizetype size() const;
    bool IsLatin1() const { return m_data.isEmpty() || m_data.back() == kLatin1; }

    friend bool operator==(const CCompactText &a, const CCompactText &b) { return a.m_data == b.m_data; }
    friend bool operator==(const CCompactText &a, QStringView b) { return QAnyStringView::equal(a.View(), b); }
    friend bool operator==(const CCompactText &a, const QString &b) { return a == QStringView(b); }
    friend bool operator==(const CCompactText &a, QLatin1StringView b) { return QAnyStringView::equal(a.View(), b); }
    friend bool operator==(const CCompactText &a, const char16_t *b) { return a == QStringView(b); }
    friend size_t qHash(const CCompactText &text, size_t seed = 0) noexcept { return qHash(text.m_data, seed); }

private:
    static constexpr char kLatin1 = 'L';
    static constexpr char kWide = 'W';

    const char16_t *Wide() const { return reinterpret_cast<const char16_t *>(m_data.constData()); }

    // The characters, then one byte saying their form; empty for no text.
    QByteArray m_data;
};
