#include "app/ReadableHints.h"

#include <QPalette>

#include <cstdlib>

namespace {

// What the eye sees of a colour drawn over a ground, by lightness.
int SeenLightness(const QColor &colour, const QColor &ground)
{
    const double alpha = colour.alphaF();
    return static_cast<int>(alpha * colour.lightness() + (1.0 - alpha) * ground.lightness());
}

} // namespace

bool MendHintColour(QPalette &palette)
{
    // A dark scheme read from a desktop's settings can bring no hint colour,
    // and the light palette's dark grey stays: all but invisible on a dark
    // field. Qt's own rule for hints is the text at half strength.
    bool changed = false;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor ground = palette.color(group, QPalette::Base);
        const QColor text = palette.color(group, QPalette::Text);
        const int textContrast = std::abs(SeenLightness(text, ground) - ground.lightness());
        const int hintContrast = std::abs(SeenLightness(palette.color(group, QPalette::PlaceholderText), ground) - ground.lightness());
        if (hintContrast * 3 >= textContrast)
            continue;
        QColor hint = text;
        hint.setAlpha(128);
        palette.setColor(group, QPalette::PlaceholderText, hint);
        changed = true;
    }
    return changed;
}
