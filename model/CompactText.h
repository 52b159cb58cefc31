#pragma once

#include <QAnyStringView>
#include <QHashFunctions>
#include <QString>

#include <atomic>
#include <utility>

// An item's text as it is kept while the program runs: one byte a character
// where every character is Latin-1, as the names and descriptions of most
// lists are, else UTF-16. Items are most of what the program holds, and
// most of an item is its two texts: a text is one pointer to a block of its
// own, no text no block at all. A value, shared on copy like QString: the
// history and the last saved lists hold the same texts as the lists shown.
//
// The form is decided by the text alone, so equal texts have equal bytes.
class CCompactText
{
public:
    CCompactText() noexcept = default;
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

    CCompactText(const CCompactText &other) noexcept
        : m_block(other.m_block)
    {
        if (m_block)
            m_block->ref.fetch_add(1, std::memory_order_relaxed);
    }
    CCompactText(CCompactText &&other) noexcept
        : m_block(std::exchange(other.m_block, nullptr))
    {
    }
    CCompactText &operator=(const CCompactText &other) noexcept
    {
        CCompactText copy(other);
        std::swap(m_block, copy.m_block);
        return *this;
    }
    CCompactText &operator=(CCompactText &&other) noexcept
    {
        std::swap(m_block, other.m_block);
        return *this;
    }
    ~CCompactText() { Release(); }

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

    bool isEmpty() const { return !m_block; }
    qsizetype size() const { return m_block ? qsizetype(m_block->units & kUnitsMask) : 0; }
    bool IsLatin1() const { return !m_block || !(m_block->units & kWide); }

    friend bool operator==(const CCompactText &a, const CCompactText &b) noexcept;
    friend bool operator==(const CCompactText &a, QStringView b) { return QAnyStringView::equal(a.View(), b); }
    friend bool operator==(const CCompactText &a, const QString &b) { return a == QStringView(b); }
    friend bool operator==(const CCompactText &a, QLatin1StringView b) { return QAnyStringView::equal(a.View(), b); }
    friend bool operator==(const CCompactText &a, const char16_t *b) { return a == QStringView(b); }
    friend size_t qHash(const CCompactText &text, size_t seed = 0) noexcept { return text.Hash(seed); }

private:
    // The characters follow the block at once; a text of one or more
    // characters has a block, each block its own count of holders.
    struct Block
    {
        std::atomic<quint32> ref;
        quint32 units; // with kWide where the characters are UTF-16
    };
    static constexpr quint32 kWide = 0x8000'0000u;
    static constexpr quint32 kUnitsMask = kWide - 1;

    // A block for `units` characters of the form, its characters unset.
    static Block *Allocate(qsizetype units, bool wide);
    static char *Chars(Block *block) { return reinterpret_cast<char *>(block + 1); }
    static const char *Chars(const Block *block) { return reinterpret_cast<const char *>(block + 1); }
    const char16_t *Wide() const { return reinterpret_cast<const char16_t *>(Chars(m_block)); }
    qsizetype Bytes() const { return IsLatin1() ? size() : 2 * size(); }
    size_t Hash(size_t seed) const noexcept;
    void Release() noexcept
    {
        if (m_block && m_block->ref.fetch_sub(1, std::memory_order_acq_rel) == 1)
            Free(m_block);
    }
    static void Free(Block *block) noexcept;

    Block *m_block = nullptr;
};

Q_DECLARE_TYPEINFO(CCompactText, Q_RELOCATABLE_TYPE);
