#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Reads a device in the import's pieces: at most 255 bytes each, a piece
// ending after its line feed or at the limit, so a longer line comes out as
// several pieces. In UTF-8 a piece cut at the limit never ends inside a
// character; the character starts the next piece. Memory stays bounded by
// one read chunk, whatever the length of the lines.
class CCsvPieceReader
{
public:
    static constexpr qsizetype kMaxPiece = 255;

    CCsvPieceReader(QIODevice &device, bool utf8);

    // The next piece, valid until the next call. False at the end of the
    // data or after a read error (see Failed).
    bool Next(QByteArrayView &piece);
    // True when the last piece was cut at the limit rather than ended by a
    // line feed or by the end of the data.
    bool LastCutAtLimit() const { return m_cutAtLimit; }

    bool Failed() const { return m_failed; }
    QString ErrorString() const { return m_error; }

private:
    void Fill();

    QIODevice &m_device;
    bool m_utf8;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_cutAtLimit = false;
    QString m_error;
};
