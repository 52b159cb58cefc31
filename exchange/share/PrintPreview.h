#pragma once

#include "model/ListItemArray.h"

class Prompter;
class QPrinter;
class QWidget;

namespace ListPrint {

// The print preview of the list over `parent`; its Print button leads to the
// usual print dialog, where a PDF file can be chosen too. The list is a
// copy: the lists may change under the open preview when a newer data file
// is taken in. `printer` keeps the user's printer, paper and margins from
// one run to the next. A print that fails is said, over the preview.
void RunPreview(CListItemArray list, QPrinter &printer, QWidget *parent, Prompter &prompter);

} // namespace ListPrint
