#include "ical/IcalText.h"

namespace IcalText {

QString Clean(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\t' || c == u'\n' || (c.unicode() >= 0x20 && c.unicode() != 0x7f)) {
            out += c;
        }
    }
    return out;
}

} // namespace IcalText
