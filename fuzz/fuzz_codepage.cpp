// The code page and the UTF-8 recognition on any bytes. Windows-1252 text
// goes back to the same bytes unless it held one of the five undefined ones;
// the UTF-8 scan agrees with Qt's decoder on what is well formed, whatever
// the pieces it is fed in.

#include "exchange/csv/Utf8Scan.h"
#include "fuzz/FuzzCheck.h"
#include "platform/CodePage.h"

#include <QStringDecoder>

namespace {

bool HasUndefined1252(const QByteArray &bytes)
{
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            return true;
    }
    return false;
}

// Qt's decoder as the reference: it drops a leading byte-order mark unless
// told not to, and keeps an incomplete last character for later unless
// stateless.
bool WellFormedUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder(bytes);
    return !decoder.hasError() && text.toUtf8() == bytes;
}

void CheckCodePage(const QByteArray &bytes)
{
    const QString text = CodePage::FromWindows1252(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    bool ok = false;
    const QByteArray back = CodePage::ToWindows1252(text, &ok);
    if (HasUndefined1252(bytes)) {
        FUZZ_CHECK(!ok && back.isEmpty());
    } else {
        FUZZ_CHECK(ok && back == bytes);
    }

    // The same bytes read as UTF-16 reach characters the code page lacks.
    const QString wide(reinterpret_cast<const QChar *>(QByteArray(bytes).constData()), bytes.size() / 2);
    const QByteArray narrow = CodePage::ToWindows1252(wide, &ok);
    if (ok) {
        FUZZ_CHECK(narrow.size() == wide.size());
        FUZZ_CHECK(CodePage::FromWindows1252(narrow) == wide);
    } else {
        FUZZ_CHECK(narrow.isEmpty());
    }
}

void CheckUtf8(const QByteArray &bytes, size_t split)
{
    CUtf8Scan whole;
    whole.Feed(bytes.constData(), bytes.size());
    const bool wellFormed = WellFormedUtf8(bytes);
    FUZZ_CHECK(whole.Valid() == wellFormed);

    CUtf8Scan pieces;
    const qsizetype at = bytes.isEmpty() ? 0 : static_cast<qsizetype>(split % (bytes.size() + 1));
    pieces.Feed(bytes.constData(), at);
    pieces.Feed(bytes.constData() + at, bytes.size() - at);
    FUZZ_CHECK(pieces.Valid() == whole.Valid());
    FUZZ_CHECK(pieces.Malformed() == whole.Malformed());
    if (whole.Valid()) {
        bool high = false;
        for (char c : bytes)
            high = high || static_cast<unsigned char>(c) >= 0x80;
        FUZZ_CHECK(whole.SawMultiByte() == high);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    CheckCodePage(bytes);
    CheckUtf8(bytes, data[0]);
    return 0;
}
