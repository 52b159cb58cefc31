#include "res/Tr.h"

#include <QPointer>
#include <QTranslator>

void Tr::LoadEnglishPlurals()
{
    // Owned by the application; the pointer clears when it goes, so a later
    // application gets its own.
    static QPointer<QTranslator> plurals;
    QCoreApplication *app = QCoreApplication::instance();
    if (plurals || !app)
        return;
    auto *english = new QTranslator(app);
    if (!english->load(QStringLiteral(":/translations/quillmark_en.qm"))) {
        qWarning("The English plural forms are not built in; counts read \"1 list(s)\".");
        delete english;
        return;
    }
    QCoreApplication::installTranslator(english);
    plurals = english;
}
