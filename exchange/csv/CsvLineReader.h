#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Reads a device line by line for the import. A line ends at a line feed, a
// carriage return (old Mac files) or both (CR LF); its end is not part of
// the line, and a last line may have none. A file that holds a zero byte, or
// a line longer than kMaxLine, is no text that the import can take: the
// reader stops at that line. Memory stays bounded by one chunk and one line.
class CCsvLineReader
{
public:
    static constexpr qsizetype kMaxLine = 64 * 1024; // bytes, its end not counted

    enum class Next {
        Line,    // the next line is there
        End,     // no more lines
        TooLong, // the next line is longer than kMaxLine
        NotText, // the next line holds a zero byte
        Failed,  // the device could not be read (see ErrorString)
    };

    // Reads from the device's current position.
    explicit CCsvLineReader(QIODevice &device);

    // The next line, valid until the next call.
    Next Read(QByteArrayView &line);
    // Where in the device the line last read starts, and how far the reader
    // has come (the end of that line's end).
    qint64 LineStart() const { return m_lineStart; }
    qint64 Position() const { return m_offset + m_pos; }
    // Goes back to `offset` (a LineStart), to read those lines again.
    bool Restart(qint64 offset);

    QString ErrorString() const { return m_error; }

private:
    // Reads more into the buffer; false at the end of the data or on failure.
    bool Fill();

    QIODevice &m_device;
    QByteArray m_buffer;
    qint64 m_offset = 0;    // of m_buffer's first byte in the device
    qsizetype m_pos = 0;    // the first byte not read yet
    qint64 m_lineStart = 0;
    bool m_atEnd = false;
    QString m_error;
};
