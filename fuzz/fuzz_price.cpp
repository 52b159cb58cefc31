// The import's price reading on any text. Besides not crashing: the result
// is a finite number, and what follows or precedes the number in ways the
// reading must ignore does not change it.

#include "exchange/csv/CsvImport.h"
#include "fuzz/FuzzCheck.h"

#include <cmath>
#include <cstring>

namespace {

bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0.0 && b == 0.0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte picks how the rest becomes text: UTF-16 reaches every
    // code unit, UTF-8 keeps short inputs readable.
    if (size == 0)
        return 0;
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const qsizetype n = static_cast<qsizetype>(size - 1);
    const QString text = (data[0] & 1)
            ? QString(reinterpret_cast<const QChar *>(QByteArray(rest, n & ~qsizetype(1)).constData()), n / 2)
            : QString::fromUtf8(rest, n);

    const double price = CsvImport::ParsePrice(text);
    FUZZ_CHECK(std::isfinite(price));
    // "x" is part of no number this reading accepts (no hexadecimal).
    FUZZ_CHECK(Same(CsvImport::ParsePrice(text + u'x'), price));
    FUZZ_CHECK(Same(CsvImport::ParsePrice(QStringLiteral(" \t") + text), price));
    // A sign in front of a number that has none negates it.
    if (!text.isEmpty() && text.at(0).unicode() >= u'0' && text.at(0).unicode() <= u'9')
        FUZZ_CHECK(Same(CsvImport::ParsePrice(u'-' + text), -price));
    return 0;
}
