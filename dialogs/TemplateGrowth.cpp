#include "dialogs/TemplateGrowth.h"

#include <algorithm>

void TemplateGrowth::Add(QWidget *control, unsigned follow)
{
    m_entries.append({control, control->geometry(), follow});
}

void TemplateGrowth::Apply(QSize extra) const
{
    // Smaller than the template is not offered; should a window manager
    // force it, the template's places hold.
    const int dx = std::max(0, extra.width());
    const int dy = std::max(0, extra.height());
    for (const Entry &e : m_entries) {
        if (!e.control)
            continue;
        QRect r = e.place;
        if (e.follow & Right)
            r.translate(dx, 0);
        else if (e.follow & HalfRight)
            r.translate(dx / 2, 0);
        if (e.follow & Down)
            r.translate(0, dy);
        if (e.follow & Wider)
            r.setWidth(r.width() + dx);
        if (e.follow & Taller)
            r.setHeight(r.height() + dy);
        e.control->setGeometry(r);
    }
}
