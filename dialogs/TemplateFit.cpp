#include "dialogs/TemplateFit.h"

#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

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
    const int need = control->sizeHint().width();
    if (need <= control->width())
        return;
    control->resize(std::min(need, rightLimit - control->x()), control->height());
}

void PlaceGroupBox(QGroupBox *box, const DialogUnits::DluRect &r)
{
    QRect g = DialogUnits::ToPixels(r);
    if (!box->title().isEmpty()) {
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        opt.rect = QRect(QPoint(0, 0), g.size());
        opt.text = box->title();
        opt.textAlignment = box->alignment();
        opt.lineWidth = 1;
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QStyle *style = box->style();
        const QRect frame = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, box);
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
        // A style that draws the line through the title says where in the
        // frame rectangle; one that sets the title above (Fusion) draws the
        // line just under the title's rectangle.
        const int line = frame.top() > 0 ? frame.top() : label.bottom();
        const int templateLine = box->fontMetrics().height() / 2;
        const int shift = std::min(line - templateLine, g.top());
        if (shift > 0)
            g.setTop(g.top() - shift);
    }
    box->setGeometry(g);
}

} // namespace TemplateFit
