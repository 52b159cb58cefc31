#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"
#include "view/ViewLook.h"

#include <QPainter>

using namespace ViewTest;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 268;
constexpr int kBarTop = kHeight - 25;
const int kButtonXs[] = {8, 33, 58, 83, 108, 133};

QImage Shot(QWidget &view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture as it lands on a white surface.
QImage OnWhite(const QPixmap &picture, const QRect &source = QRect())
{
    const QRect from = source.isNull() ? QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()) : source;
    QImage image(from.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const qreal dpr = picture.devicePixelRatio();
    p.drawPixmap(QRectF(QPointF(0, 0), QSizeF(from.size())), picture,
                 QRectF(from.x() * dpr, from.y() * dpr, from.width() * dpr, from.height() * dpr));
    return image;
}

bool AllWhite(const QImage &shot, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

bool AllBlack(const QImage &shot, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

// One line of text drawn on white with its top left at `at`, in a picture the
// size of the view.
QImage TextOnWhite(const QFont &font, QPoint at, const QString &text)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), text);
    return image;
}

} // namespace

class ViewDrawTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!Art::Bitmap(Res::IDB_BANNER).isNull(), "the art is missing");
    }

    void nothingIsPaintedBeforeSetUp()
    {
        CQuillmarkView view;
        QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
        canvas.fill(Qt::green);
        {
            QPainter p(&canvas);
            view.OnDraw(p);
        }
        QVERIFY(!view.IsReady());
        QCOMPARE(canvas.pixel(0, 0), qRgb(0, 255, 0));
        QVERIFY(canvas == [] {
            QImage green(kWidth, kHeight, QImage::Format_RGB32);
            green.fill(Qt::green);
            return green;
        }());
    }

    // Which face each position of the bottom row shows, by mode.
    void buttonBar_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<int>>("faces"); // 0: nothing drawn there
        QTest::newRow("tree") << "tree"
                              << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, 0, 0};
        QTest::newRow("items from the tree")
                << "items" << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, Res::IDB_BACK, 0};
        QTest::newRow("items after coming back")
                << "items again" << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, 0, 0};
        QTest::newRow("item")
                << "item"
                << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_DONE, Res::IDB_OUTLOOK, Res::IDB_BACK};
    }

    void buttonBar()
    {
        QFETCH(QString, state);
        QFETCH(QList<int>, faces);
        Fixture f;
        CQuillmarkView &view = f.Start();
        if (state != QLatin1String("tree")) {
            f.OpenList(1); // no prices: no total beside the buttons
            if (state != QLatin1String("items")) {
                f.SelectRows({1});
                view.OpenSelection();
                if (state == QLatin1String("items again"))
                    view.GoBack();
            }
        }
        const QImage shot = Shot(view);
        // The banner heads every mode.
        QCOMPARE(shot.copy(0, 0, kWidth, 25), OnWhite(Art::Bitmap(Res::IDB_BANNER)));
        for (int i = 0; i < 6; ++i) {
            const QRect at(kButtonXs[i], kBarTop, 20, 20);
            if (faces.at(i) != 0)
                QVERIFY2(shot.copy(at) == OnWhite(Art::Bitmap(faces.at(i))), qPrintable(QString::number(kButtonXs[i])));
            else
                QVERIFY2(AllWhite(shot, at), qPrintable(QString::number(kButtonXs[i])));
        }
        // Nothing between or beside the buttons.
        QVERIFY(AllWhite(shot, QRect(0, kBarTop, 8, 20)));
        QVERIFY(AllWhite(shot, QRect(28, kBarTop, 5, 20)));
        QVERIFY(AllWhite(shot, QRect(153, kBarTop, kWidth - 153, 25)));
        QVERIFY(AllWhite(shot, QRect(0, kHeight - 5, kWidth, 5)));
    }

    void tickOnlyForADoneItem_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("done");
        QTest::newRow("done") << 1 << true;
        QTest::newRow("not done") << 0 << false;
    }

    void tickOnlyForADoneItem()
    {
        QFETCH(int, item);
        QFETCH(bool, done);
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0);
        f.SelectRows({item});
        view.OpenSelection();
        QCOMPARE(view.Mode(), int(CQuillmarkView::modeItem));
        const QImage shot = Shot(view);
        const QRect tickAt(kWidth - 17, 30, 12, 13);
        if (done)
            QCOMPARE(shot.copy(tickAt), OnWhite(Art::Bitmap(Res::IDB_TICK), QRect(0, 0, 12, 13)));
        else
            QVERIFY(AllWhite(shot, tickAt));
        // Only the top left 12 x 13 of the tick: nothing to its right.
        QVERIFY(AllWhite(shot, QRect(kWidth - 5, 30, 5, 13)));
    }

    void detailPaneLayout()
    {
        // Dated and priced with a description: icon, name, line, the two
        // sections, the description.
        const CalendarTime when = LocalTime(2002, 3, 7, 16, 5);
        Fixture f({MakeList(QStringLiteral("L"), 5,
                            {{QStringLiteral("Gift"), false, 12.5, when, 7, QStringLiteral("Wrapped")}})});
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        view.OpenSelection();
        const QImage shot = Shot(view);

        QCOMPARE(shot.copy(8, 30, 16, 16), OnWhite(CImageList::ChecksAndStrip().Image(7)));

        const QFontMetrics title(ViewLook::TitleFont());
        const int h = title.height();
        const QImage name = TextOnWhite(ViewLook::TitleFont(), QPoint(28, 30), QStringLiteral("Gift"));
        QCOMPARE(shot.copy(28, 30, title.horizontalAdvance(QStringLiteral("Gift")), h),
                 name.copy(28, 30, title.horizontalAdvance(QStringLiteral("Gift")), h));
        // The line lies 5 pixels under the name, from x 4 to 4 short of the edge.
        QVERIFY(AllBlack(shot, QRect(4, 35 + h, kWidth - 8, 1)));
        QVERIFY(AllWhite(shot, QRect(0, 35 + h, 4, 1)));
        QVERIFY(AllWhite(shot, QRect(kWidth - 4, 35 + h, 4, 1)));
        QVERIFY(AllWhite(shot, QRect(0, 30 + h, kWidth, 5)));
        QVERIFY(AllWhite(shot, QRect(0, 36 + h, kWidth, 4)));

        // Label, value, label, value, label: each 5 below the one before.
        const QFontMetrics label(ViewLook::LabelFont());
        const QFontMetrics value(ViewLook::ValueFont());
        int y = 40 + h;
        const struct
        {
            QFont font;
            QString text;
        } lines[] = {
                {ViewLook::LabelFont(), QStringLiteral("Date")},
                {ViewLook::ValueFont(), QStringLiteral("3/7/2002 at 4:05 PM")},
                {ViewLook::LabelFont(), QStringLiteral("Price")},
                {ViewLook::ValueFont(), QStringLiteral("12.50")},
                {ViewLook::LabelFont(), QStringLiteral("Description")},
        };
        for (const auto &line : lines) {
            const QFontMetrics fm(line.font);
            const QRect area(8, y, fm.horizontalAdvance(line.text), fm.height());
            QVERIFY2(shot.copy(area) == TextOnWhite(line.font, QPoint(8, y), line.text).copy(area),
                     qPrintable(line.text));
            y += fm.height() + 5;
        }
        // The description: word-wrapped from (18, label bottom + 5).
        y -= 5 + label.height();
        const int descTop = y + label.height() + 5;
        const QRect desc(18, descTop, value.horizontalAdvance(QStringLiteral("Wrapped")), value.height());
        QVERIFY(shot.copy(desc) == TextOnWhite(ViewLook::ValueFont(), QPoint(18, descTop), QStringLiteral("Wrapped")).copy(desc));
        QVERIFY(!AllWhite(shot, desc));
    }

    void sectionsThatDoNotApplyLeaveNoGap()
    {
        Fixture f({MakeList(QStringLiteral("L"), 5, {{QStringLiteral("Note"), false, 0.0, 0, 6, QStringLiteral("x")}})});
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        view.OpenSelection();
        const QImage shot = Shot(view);
        const int y = 40 + QFontMetrics(ViewLook::TitleFont()).height();
        const QFontMetrics label(ViewLook::LabelFont());
        const QRect area(8, y, label.horizontalAdvance(QStringLiteral("Description")), label.height());
        QVERIFY(shot.copy(area) == TextOnWhite(ViewLook::LabelFont(), QPoint(8, y), QStringLiteral("Description")).copy(area));
    }

    void longDescriptionIsCutAboveTheButtons()
    {
        QString words;
        for (int i = 0; i < 200; ++i)
            words += QStringLiteral("word ");
        Fixture f({MakeList(QStringLiteral("L"), 5, {{QStringLiteral("Long"), false, 0.0, 0, 6, words}})});
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        view.OpenSelection();
        const QImage shot = Shot(view);
        // Text reaches the box's last rows and stops there; nothing right of it.
        QVERIFY(!AllWhite(shot, QRect(18, kHeight - 27 - 12, kWidth - 23, 12)));
        QVERIFY(AllWhite(shot, QRect(0, kHeight - 27, kWidth, 2)));
        const int top = 40 + QFontMetrics(ViewLook::TitleFont()).height()
                + QFontMetrics(ViewLook::LabelFont()).height() + 5;
        QVERIFY(!AllWhite(shot, QRect(18, top, 10, 10)));
        QVERIFY(AllWhite(shot, QRect(kWidth - 5, top, 5, kHeight - 27 - top)));
        QVERIFY(AllWhite(shot, QRect(0, top, 18, kHeight - 27 - top)));
    }

    void iconNumbersOutsideTheStripDrawNothing_data()
    {
        QTest::addColumn<int>("icon");
        QTest::newRow("-1") << -1;
        QTest::newRow("2 (a check box, not a strip icon)") << 2;
        QTest::newRow("57") << 57;
        QTest::newRow("1000") << 1000;
    }

    void iconNumbersOutsideTheStripDrawNothing()
    {
        QFETCH(int, icon);
        Fixture f({MakeList(QStringLiteral("L"), 5, {{QStringLiteral("N"), false, 0.0, 0, icon}})});
        CQuillmarkView &view = f.Start();
        f.Select(f.ItemNode(0, 0));
        view.OpenSelection();
        QVERIFY(AllWhite(Shot(view), QRect(8, 30, 16, 16)));
    }

    void framedTotal()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(0); // 1.5 + 2.25 + 0
        QCOMPARE(view.GetListTotal(), 3.75);
        const QImage shot = Shot(view);

        const QFontMetrics value(ViewLook::ValueFont());
        const QString amount = QStringLiteral("3.75");
        const int w = value.horizontalAdvance(amount);
        const int h = value.height();
        const int x = kWidth - w - 15;
        const int y = kHeight - h - 10;
        // The frame: left x - 2, top y - 2, right 230 and bottom y + h + 2 excluded.
        QVERIFY(AllBlack(shot, QRect(x - 2, y - 2, kWidth - 10 - (x - 2), 1)));
        QVERIFY(AllBlack(shot, QRect(x - 2, y + h + 1, kWidth - 10 - (x - 2), 1)));
        QVERIFY(AllBlack(shot, QRect(x - 2, y - 2, 1, h + 4)));
        QVERIFY(AllBlack(shot, QRect(kWidth - 11, y - 2, 1, h + 4)));
        QVERIFY(AllWhite(shot, QRect(kWidth - 10, y - 2, 10, h + 4)));
        const QRect inside(x, y, w, h);
        QCOMPARE(shot.copy(inside), TextOnWhite(ViewLook::ValueFont(), QPoint(x, y), amount).copy(inside));

        const QFontMetrics label(ViewLook::LabelFont());
        const int w2 = label.horizontalAdvance(QStringLiteral("Total: "));
        const QRect labelArea(x - w2 - 5, y, w2, label.height());
        QCOMPARE(shot.copy(labelArea),
                 TextOnWhite(ViewLook::LabelFont(), labelArea.topLeft(), QStringLiteral("Total: ")).copy(labelArea));
    }

    void noTotalForZero()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        f.OpenList(1); // no prices
        QCOMPARE(view.GetListTotal(), 0.0);
        const QImage shot = Shot(view);
        QVERIFY(AllWhite(shot, QRect(133, 241, kWidth - 133, kHeight - 241)));
        QVERIFY(AllWhite(shot, QRect(0, 240, kWidth, 3)));
    }

};

QUILLMARK_TEST_MAIN(ViewDrawTest)
#include "ViewDrawTest.moc"
