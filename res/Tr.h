#pragma once

#include <QCoreApplication>

// The program's one translation context: a text is written where it is used,
// as Tr::tr("..."), and its German lives in res/translations under
// "Quillmark". A text that counts is written with %n and its number,
// Tr::tr("%n list(s)", nullptr, n); its English forms come from
// res/translations/quillmark_en.ts.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Quillmark)
public:
    // Installs the English forms of the counting texts into the application
    // that exists now, once; called before any other translation, so that
    // one installed later wins.
    static void LoadEnglishPlurals();
};
