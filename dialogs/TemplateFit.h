#pragma once

#include "dialogs/DialogUnits.h"

#include <initializer_list>

class QGroupBox;
class QLabel;
class QWidget;

// The templates leave room for a small font. These adjust a template layout
// to the font the desktop really uses, moving as little as they can: a text
// that fits keeps its template rectangle.
namespace TemplateFit {

// Nothing is moved closer to the dialog's edge than this.
constexpr int kMargin = 6;
// Between a label and its field.
constexpr int kLabelGap = 4;

struct LabelRow
{
    QLabel *label;
    QWidget *field;
    int height = 0; // the label's height; 0 for the field's own
};

// Labels in front of fields that share one left edge. Each label lines up
// with its field's text and keeps its template left where its text fits;
// otherwise it starts further left, down to the margin. Only when even that
// is not enough do the fields start further right, keeping their right edges.
void FitLabels(std::initializer_list<LabelRow> rows);

// Widens a control whose text needs more than its template gives, keeping
// its left edge and never past rightLimit.
void GrowToHint(QWidget *control, int rightLimit);

// A titled group box. The template drew the title on the frame's top line;
// a style that sets the title above the frame (Fusion) would push the line
// down onto the controls inside. The box starts higher by what that costs,
// but by no more than roomAbove, so it never reaches what lies above it.
void PlaceGroupBox(QGroupBox *box, const DialogUnits::DluRect &r, int roomAbove);

// The first row, in the parent's coordinates, where a control inside the box
// keeps clear of its frame line and title.
int ContentTop(const QGroupBox *box);

} // namespace TemplateFit
