#pragma once

#include <QRect>
#include <QWidget>

// The dialogs' layouts are written in dialog units of 1.75 pixels both ways,
// whatever the font: the scale at which they fit the 240 x 268 client area
// (res/ClientArea.h). Everything below converts with that one factor,
// rounding half up, so a template rectangle lands on whole pixels.
namespace DialogUnits {

// A control rectangle of a template: left, top, width, height in dialog units.
struct DluRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// 1.75 is 7/4: integer arithmetic keeps the rounding exact.
constexpr int ToPixels(int dlu)
{
    return dlu >= 0 ? (dlu * 7 + 2) / 4 : -((-dlu * 7 + 2) / 4);
}

constexpr QRect ToPixels(const DluRect &r)
{
    return QRect(ToPixels(r.x), ToPixels(r.y), ToPixels(r.width), ToPixels(r.height));
}

// Puts a control where its template rectangle says.
inline void Place(QWidget *control, const DluRect &r)
{
    control->setGeometry(ToPixels(r));
}

} // namespace DialogUnits
