#include "dialogs/TemplateFit.h"

#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace {

// Below the frame line of a group box.
constexpr int kGroupGap = 4;

// How far below its top edge the box draws its frame line.
int FrameLine(const QGroupBox *box, QSize size)
{
    if (box->title().isEmpty())
        return 0;
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.rect = QRect(QPoint(0, 0), size);
    opt.text = box->title();
    opt.textAlignment = box->alignment();
    opt.lineWidth = 1;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QStyle *style = box->style();
    const QRect frame = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, box);
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    // A style that draws the line through the title says where in the frame
    // rectangle; one that sets the title above draws it just under the title.
    return frame.top() > 0 ? frame.top() : label.bottom();
}

} // namespace

namespace TemplateFit {

void FitLabels(std::initializer_list<LabelRow> rows)
{
    if (rows.size() == 0)
        return;
    int fieldLeft = rows.begin()->field->x();
    int widest = 0;
    for (const LabelRow &row : rows)
        widest = std::max(widest, row.label->sizeHint().width());
    const int neededLeft = kMargin + widest + kLabelGap;
    if (neededLeft > fieldLeft) {
        for (const LabelRow &row : rows) {
            QRect g = row.field->geometry();
            g.setLeft(neededLeft);
            row.field->setGeometry(g);
        }
        fieldLeft = neededLeft;
    }
    for (const LabelRow &row : rows) {
        const int right = fieldLeft - kLabelGap; // one past the label
        const int left = std::max(kMargin, std::min(row.label->x(), right - row.label->sizeHint().width()));
        const int height = row.height > 0 ? row.height : row.field->height();
        row.label->setGeometry(left, row.field->y(), right - left, height);
        row.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        row.label->setBuddy(row.field);
    }
}

void GrowToHint(QWidget *control, int rightLimit)
{
    // A group box without a layout tells its title's width only as its minimum.
    const int need = std::max(control->sizeHint().width(), control->minimumSizeHint().width());
    if (need <= control->width())
        return;
    control->resize(std::min(need, rightLimit - control->x()), control->height());
}

int ContentTop(const QGroupBox *box)
{
    return box->y() + FrameLine(box, box->size()) + kGroupGap;
}

void PlaceGroupBox(QGroupBox *box, const DialogUnits::DluRect &r, int roomAbove)
{
    QRect g = DialogUnits::ToPixels(r);
    if (!box->title().isEmpty()) {
        const int templateLine = box->fontMetrics().height() / 2;
        const int shift = std::min(FrameLine(box, g.size()) - templateLine, roomAbove);
        if (shift > 0)
            g.setTop(g.top() - shift);
    }
    box->setGeometry(g);
}

} // namespace TemplateFit
