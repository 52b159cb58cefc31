#pragma once

#include <QCoreApplication>

// The program's one translation context: a text is written where it is used,
// as Tr::tr("..."), and its German lives in res/translations under
// "Quillmark".
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillmark)
};
