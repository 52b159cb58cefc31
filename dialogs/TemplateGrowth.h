#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

// A template layout in a dialog the user may make larger. At the template's
// own size every control keeps the place the template (and TemplateFit) gave
// it; in a larger dialog each follows the extra room as it is told.
class TemplateGrowth
{
public:
    enum Follow : unsigned {
        Stays = 0,
        Wider = 1u << 0,     // the right edge moves with the extra width
        Taller = 1u << 1,    // the bottom edge moves with the extra height
        Right = 1u << 2,     // the whole control moves with the extra width
        Down = 1u << 3,      // the whole control moves with the extra height
        HalfRight = 1u << 4, // moves by half the extra width: a row kept in the middle
    };

    // Takes the control's present geometry as its place at the template size.
    void Add(QWidget *control, unsigned follow);
    // Places every control for a dialog `extra` larger than the template.
    void Apply(QSize extra) const;

private:
    struct Entry
    {
        QPointer<QWidget> control;
        QRect place;
        unsigned follow;
    };
    QList<Entry> m_entries;
};
