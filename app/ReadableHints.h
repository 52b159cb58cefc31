#pragma once

class QPalette;

// The colour of hints (a field's placeholder, the empty tree's text, "Already
// on the list") made readable where the desktop's colour scheme leaves it
// too close to the fields' ground. True when the palette was changed.
bool MendHintColour(QPalette &palette);
