#pragma once

#include <QPainter>
#include <QString>

// Every picture of the program, painted in logical units onto a painter that
// the caller has scaled to the file's density.
namespace Pictures {

// The icon strip: pins, folders, notes, then the diamond signs.
constexpr int kPinCount = 10;
constexpr int kFolderCount = 10;
constexpr int kNoteCount = 12;
constexpr int kSignCount = 20;
constexpr int kStripCount = kPinCount + kFolderCount + kNoteCount + kSignCount; // 52
static_assert(kStripCount == 52);

void PaintBanner(QPainter &p);                   // 240 x 25
void PaintStripIcon(QPainter &p, int index);     // 16 x 16, index 0 .. 51
void PaintPin(QPainter &p, int n);
void PaintFolder(QPainter &p, int n);
void PaintNote(QPainter &p, int n);
void PaintSign(QPainter &p, int n);
void PaintCheckImage(QPainter &p, int n);        // 16 x 16, n 0 .. 4
void PaintBlueTick(QPainter &p);                 // 14 x 13
void PaintButtonFace(QPainter &p, int id);       // 20 x 20
void PaintProgramIcon(QPainter &p, int size);    // size x size

// Lays every picture of artDir out on one sheet for inspection.
bool WriteContactSheet(const QString &artDir, const QString &file);

} // namespace Pictures
