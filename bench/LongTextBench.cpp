// The item form with a description of one word of some megabytes (an
// import or another program can store one): the seconds until the form is
// on show, one letter typed at its end, and OK. Run by hand, on a build
// with optimisation:
//
//   quillmark_longtext_bench [--mb=N]
#include "dialogs/DescriptionEdit.h"
#include "dialogs/NewItemDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

void Time(const char *what, const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::printf("%-32s %8.3f s\n", what, double(timer.nsecsElapsed()) / 1e9);
    std::fflush(stdout);
}

constexpr char kMbFlag[] = "--mb=";

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qsizetype mb = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kMbFlag, std::strlen(kMbFlag)) == 0)
            mb = std::atoi(argv[i] + std::strlen(kMbFlag));
    }
    QApplication app(argc, argv);
    const QString word(mb * 1000 * 1000, u'w');
    std::printf("one word of %lld characters\n", static_cast<long long>(word.size()));

    CNewItemDlg dlg;
    dlg.m_strName = QStringLiteral("Note");
    dlg.m_strDesc = word;
    Time("open the item form", [&] { dlg.show(); });
    CDescriptionEdit *field = dlg.DescriptionField();
    Time("type a letter at the end", [&] {
        field->setFocus();
        field->moveCursor(QTextCursor::End);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(field, &key);
    });
    Time("OK", [&] { dlg.OKButton()->click(); });
    if (dlg.m_strDesc != word + u'x') {
        std::fprintf(stderr, "the description was not kept\n");
        return 1;
    }
    return 0;
}
