#pragma once

#include <QByteArrayView>

class QIODevice;

// Writes every byte or fails with the system's reason in the device's
// errorString(). A full disk or a file size limit takes part of a write
// without an error; only the write of the rest that it refuses says why
// ("No space left on device") instead of "Unknown error". Open the device
// unbuffered, so that no byte waits in a buffer that a later flush may lose.
bool WriteAll(QIODevice &device, QByteArrayView bytes);
