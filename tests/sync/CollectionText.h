#pragma once

#include "model/ListItemArray.h"

// Collections written as text, so that a case reads as what a person sees:
// "Shop: Bread Milk* Milk/2l | DIY: Nails" is two lists; an item is a word,
// "*" marks it done, "/word" gives it a description.
namespace CollectionText {

CListCollection Parse(const QString &text);
QString Print(const CListCollection &lists);

} // namespace CollectionText
