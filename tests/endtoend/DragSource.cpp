// Something to drag files from, for the test in a real window: xdotool can
// press, move and release the mouse but cannot start a drag by itself.
//
//   quillmark_dragsource X Y FILE...
//
// Shows a small square at X,Y of the screen, kept out of the window
// manager's hands so that it takes no focus from the program under test. A
// press on it drags the files' addresses (text/uri-list); the result of the
// drop goes to standard output, and the square stays to answer the drop's
// questions about the data until the test ends it.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class Source final : public QWidget
{
public:
    explicit Source(QList<QUrl> urls)
        : QWidget(nullptr, Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
        , m_urls(std::move(urls))
    {
        setWindowTitle(QStringLiteral("dragsource"));
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::darkCyan));
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setUrls(m_urls);
        drag->setMimeData(mime);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("%s\n", done == Qt::CopyAction ? "dropped" : "not dropped");
        std::fflush(stdout);
    }

private:
    QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool xOk = false, yOk = false;
    const int x = args.value(1).toInt(&xOk);
    const int y = args.value(2).toInt(&yOk);
    if (!xOk || !yOk || args.size() < 4) {
        std::fprintf(stderr, "usage: %s X Y FILE...\n", argv[0]);
        return 64;
    }
    QList<QUrl> urls;
    for (const QString &file : args.mid(3))
        urls << QUrl::fromLocalFile(file);
    Source source(urls);
    source.setGeometry(x, y, 60, 60);
    source.show();
    return app.exec();
}
