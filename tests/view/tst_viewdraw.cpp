#include "controls/DrawnButton.h"
#include "dialogs/ListSetupDlg.h"
#include "document/ListsModel.h"
#include "res/Art.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"
#include "view/ViewLook.h"

#include <QPainter>
#include <QToolTip>
#include <QTranslator>

#include <algorithm>

using namespace ViewTest;
using namespace ViewLook;

// Where the view paints is read from the layout the painter uses (ViewLook);
// what it paints there is compared with the art and with text drawn alone.
namespace {

constexpr int kWidth = ClientArea::kWidth;
constexpr int kHeight = ClientArea::kHeight;

// A picture (or the part of it at `source`) as the view paints it on its
// white ground, to compare with a grab.
QImage OnWhite(const QPixmap &picture, const QRect &source = QRect())
{
    const QPixmap part = source.isNull() ? picture : Art::Region(picture, source);
    QImage image(part.deviceIndependentSize().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.drawPixmap(0, 0, part);
    return image;
}

QImage Shot(QWidget &view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// True when every pixel of the area has the colour (white by default: the
// view's ground).
bool AllOf(const QImage &shot, const QRect &area, QRgb colour = qRgb(255, 255, 255))
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixel(x, y) != colour)
                return false;
    return true;
}

constexpr QRgb kBlack = qRgb(0, 0, 0);

// The lightest grey of the pixels of a picture on the ground `ground` that
// touch the ground: the picture's edge, which shows a light rim where it was
// smoothed onto white.
int LightestEdge(const QImage &shot, const QRect &area, QRgb ground)
{
    int lightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (shot.pixel(x, y) == ground)
                continue;
            for (QPoint next : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                if (area.contains(next) && shot.pixel(next) == ground)
                    lightest = std::max(lightest, qGray(shot.pixel(x, y)));
            }
        }
    }
    return lightest;
}

// One line of text drawn on white with its top left at `at`, in a picture the
// size of the view.
QImage TextOnWhite(const QFont &font, QPoint at, const QString &text, QSize view = {kWidth, kHeight})
{
    QImage image(view, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), text);
    return image;
}

// The tool tip shown with the pointer resting at the point; none when none
// shows. The last tip is let go first: a hidden one keeps its text a while.
QString TipShownAt(QWidget *widget, QPoint at)
{
    QToolTip::hideText();
    (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); });
    const QString tip = QuillmarkTest::TipAt(widget, at);
    return QToolTip::isVisible() ? tip : QString();
}

} // namespace

class TestViewDraw : public QObject
{
    Q_OBJECT

private slots:
    // Which face each button of the bottom row shows, by mode; the banner
    // heads every mode.
    void buttonBar_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<int>>("faces"); // 0: nothing drawn there
        QTest::newRow("tree") << "tree"
                              << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, 0, 0};
        QTest::newRow("items from the tree")
                << "items" << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, Res::IDB_BACK, 0};
        QTest::newRow("items after coming back")
                << "items again"
                << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_VIEW, Res::IDB_BACK, 0};
        QTest::newRow("item")
                << "item"
                << QList<int>{Res::IDB_EXIT, Res::IDB_MENU, Res::IDB_EDIT, Res::IDB_DONE, Res::IDB_HANDOVER, Res::IDB_BACK};
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
                f.Run("Open");
                if (state == QLatin1String("items again"))
                    f.Run("Back");
            }
        }
        const QImage shot = Shot(view);
        QCOMPARE(shot.copy(kBannerRect), OnWhite(Art::Bitmap(Res::IDB_BANNER)));
        QRect bar;
        for (int i = 0; i < kButtonCount; ++i) {
            const QRect at = ButtonRect(i, kHeight);
            bar |= at;
            if (faces.at(i) != 0)
                QVERIFY2(shot.copy(at) == OnWhite(Art::Bitmap(faces.at(i))), qPrintable(QString::number(i)));
            else
                QVERIFY2(AllOf(shot, at), qPrintable(QString::number(i)));
        }
        // Nothing between or beside the buttons.
        for (int i = 0; i + 1 < kButtonCount; ++i) {
            const QRect gap(ButtonRect(i, kHeight).topRight() + QPoint(1, 0), ButtonRect(i + 1, kHeight).bottomLeft() - QPoint(1, 0));
            QVERIFY(AllOf(shot, gap));
        }
        QVERIFY(AllOf(shot, QRect(0, bar.top(), bar.left(), kHeight - bar.top())));
        QVERIFY(AllOf(shot, QRect(bar.right() + 1, bar.top(), kWidth - bar.right() - 1, kHeight - bar.top())));
        QVERIFY(AllOf(shot, QRect(0, bar.bottom() + 1, kWidth, kHeight - bar.bottom() - 1)));
    }

    // Tab on a button rings it in the highlight colour, which stands out
    // from the face's own colours.
    void focusedButtonIsRinged()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto *pencil = view.findChild<QWidget *>(QStringLiteral("actionEditButton"));
        QVERIFY(pencil);
        pencil->setFocus(Qt::TabFocusReason);
        const QRect at = ButtonRect(2, kHeight);
        const QImage shot = Shot(view).copy(at);
        const QRgb highlight = view.palette().color(QPalette::Highlight).rgb();
        for (const QPoint edge : {QPoint(0, 0), QPoint(10, 1), QPoint(0, 10), QPoint(19, 19), QPoint(18, 10)})
            QCOMPARE(shot.pixel(edge), highlight);
    }

    // Under a dark desktop the round buttons and the tick sit on the dark
    // ground: the white around their pictures is not drawn, nor a light rim
    // where their edges were smoothed onto it.
    void darkGround()
    {
        Fixture f;
        CQuillmarkView &view = f.Start();
        QPalette dark = view.palette();
        const QColor ground(32, 32, 32);
        dark.setColor(QPalette::Base, ground);
        dark.setColor(QPalette::Text, Qt::white);
        view.setPalette(dark);
        const auto cornersOnGround = [&](const QImage &shot, const QRect &r) {
            for (QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
                if (shot.pixel(corner) != ground.rgb())
                    return false;
            if (LightestEdge(shot, r, ground.rgb()) >= 128)
                return false;
            return !AllOf(shot, r, ground.rgb()); // and the picture is there
        };
        const auto buttonsOnGround = [&](const char *screen) {
            const QImage shot = Shot(view);
            int shown = 0;
            for (const CDrawnButton *button : view.findChildren<CDrawnButton *>()) {
                if (button->isHidden())
                    continue;
                ++shown;
                QVERIFY2(cornersOnGround(shot, button->geometry()),
                         qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(screen), button->objectName())));
            }
            QVERIFY(shown >= 4);
        };
        buttonsOnGround("tree");
        f.OpenList(0);
        buttonsOnGround("items");
        f.SelectRows({1}); // Milk, done: with the tick
        f.Run("Open");
        QCOMPARE(f.Mode(), Shown::Item);
        buttonsOnGround("item");
        // The tick's top right corner is its stroke's end.
        const QRect tick(QPoint(kWidth - kTickFromRight, kItemNameAt.y()), kTickSource.size());
        const QImage shot = Shot(view);
        for (QPoint corner : {tick.topLeft(), tick.bottomLeft(), tick.bottomRight()})
            QCOMPARE(shot.pixel(corner), ground.rgb());
        QCOMPARE_LT(LightestEdge(shot, tick, ground.rgb()), 128);
        QVERIFY(!AllOf(shot, tick, ground.rgb()));

        // List Setup's six buttons too, on the dialog's ground, their white
        // glyphs white still rather than masked by the dark.
        ScriptedPrompter prompter;
        CListSetupDlg dlg(nullptr, &prompter);
        dlg.m_lists = SampleLists();
        dlg.m_nCurList = 0;
        QPalette darkDialog = dlg.palette();
        darkDialog.setColor(QPalette::Window, ground);
        dlg.setPalette(darkDialog);
        dlg.show();
        const QImage setup = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QList<CDrawnButton *> buttons = dlg.findChildren<CDrawnButton *>();
        QCOMPARE(buttons.size(), 6);
        for (const CDrawnButton *button : buttons) {
            const QRect r = button->geometry();
            QVERIFY2(cornersOnGround(setup, r), qPrintable(button->objectName()));
            int whiteInside = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    whiteInside += setup.pixel(x, y) == qRgb(255, 255, 255);
            QVERIFY2(whiteInside > 0, qPrintable(button->objectName()));
        }
    }

    // Icon, name (the tick at its right end, only the top left part of the
    // tick's picture, only for a done item), rule, then label and value of
    // each section and the description, each kGap below the one before;
    // sections that do not apply leave no gap. Icon numbers outside the
    // strip draw no icon.
    void detailPaneLayout_data()
    {
        QTest::addColumn<CListItemArray>("list");
        QTest::addColumn<bool>("iconDrawn");
        QTest::addColumn<QStringList>("lines"); // label, value, ..., "Description"
        const CalendarTime when = Local(2002, 3, 7, 16, 5);
        const QString wrapped = QStringLiteral("Wrapped");
        QTest::newRow("dated, priced, described, done")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("Gift")).Done().Price(12.5).Dated(when).Icon(7).Desc(wrapped)})) << true
                << QStringLiteral("Date|3/7/2002 at 4:05 PM|Price|12.50|Description").split(u'|');
        QTest::newRow("described only")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("Gift")).Icon(7).Desc(wrapped)})) << true
                << QStringList{QStringLiteral("Description")};
        QTest::newRow("icon 2 (a check box, not a strip icon)")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("Gift")).Icon(2).Desc(wrapped)})) << false
                << QStringList{QStringLiteral("Description")};
        QTest::newRow("icon 57 (past the strip)")
                << CListItemArray(List(QStringLiteral("L"), {Item(QStringLiteral("Gift")).Icon(57).Desc(wrapped)})) << false
                << QStringList{QStringLiteral("Description")};
    }

    void detailPaneLayout()
    {
        QFETCH(CListItemArray, list);
        QFETCH(bool, iconDrawn);
        QFETCH(QStringList, lines);
        Fixture f({list});
        CQuillmarkView &view = f.Start();
        f.OpenItem(0, 0);
        const QImage shot = Shot(view);

        const QRect icon(kItemIconAt, QSize(Res::kImageSize, Res::kImageSize));
        if (iconDrawn)
            QCOMPARE(shot.copy(icon), OnWhite(CImageList::ChecksAndStrip().Image(7)));
        else
            QVERIFY(AllOf(shot, icon));
        const QRect tickAt(QPoint(kWidth - kTickFromRight, kItemNameAt.y()), kTickSource.size());
        if (list.m_items.at(0).m_bDone)
            QCOMPARE(shot.copy(tickAt), OnWhite(Art::Bitmap(Res::IDB_TICK), kTickSource));
        else
            QVERIFY(AllOf(shot, tickAt));
        QVERIFY(AllOf(shot, QRect(tickAt.right() + 1, tickAt.top(), kWidth - tickAt.right() - 1, tickAt.height())));

        const QFontMetrics title(TitleFont());
        const QRect name(kItemNameAt, QSize(title.horizontalAdvance(QStringLiteral("Gift")), title.height()));
        QCOMPARE(shot.copy(name), TextOnWhite(TitleFont(), kItemNameAt, QStringLiteral("Gift")).copy(name));

        const int rule = name.bottom() + 1 + kRuleBelowName;
        QVERIFY(AllOf(shot, QRect(kRuleInset, rule, kWidth - 2 * kRuleInset, 1), kBlack));
        QVERIFY(AllOf(shot, QRect(0, rule, kRuleInset, 1)));
        QVERIFY(AllOf(shot, QRect(kWidth - kRuleInset, rule, kRuleInset, 1)));
        QVERIFY(AllOf(shot, QRect(0, name.bottom() + 1, kWidth, rule - name.bottom() - 1)));

        int y = rule + kGap;
        for (int i = 0; i < lines.size(); ++i) {
            // Labels in bold: every other line, and the last.
            const bool label = i % 2 == 0;
            const QFont font = label ? LabelFont() : ValueFont();
            const QFontMetrics fm(font);
            QVERIFY(AllOf(shot, QRect(0, i == 0 ? rule + 1 : y - kGap, kWidth, i == 0 ? kGap - 1 : kGap)));
            const QRect area(kSectionLeft, y, fm.horizontalAdvance(lines.at(i)), fm.height());
            QVERIFY2(shot.copy(area) == TextOnWhite(font, area.topLeft(), lines.at(i)).copy(area), qPrintable(lines.at(i)));
            y += fm.height() + kGap;
        }
        const QFontMetrics value(ValueFont());
        const QRect desc(kDescriptionLeft, y, value.horizontalAdvance(QStringLiteral("Wrapped")), value.height());
        QVERIFY(!AllOf(shot, desc));
        QCOMPARE(shot.copy(desc), TextOnWhite(ValueFont(), desc.topLeft(), QStringLiteral("Wrapped")).copy(desc));
    }

    void longDescriptionIsCutAboveTheButtons()
    {
        QString words;
        for (int i = 0; i < 200; ++i)
            words += QStringLiteral("word ");
        Fixture f({List(QStringLiteral("L"), {Item(QStringLiteral("Long")).Desc(words)})});
        CQuillmarkView &view = f.Start();
        f.OpenItem(0, 0);
        const QImage shot = Shot(view);
        // Text reaches the box's last rows and stops there; nothing right of it.
        const int bottom = kHeight - kDescriptionBottomInset;
        const int top = kItemNameAt.y() + QFontMetrics(TitleFont()).height() + kRuleBelowName + kGap
                + QFontMetrics(LabelFont()).height() + kGap;
        QVERIFY(!AllOf(shot, QRect(kDescriptionLeft, bottom - 12, kWidth - kDescriptionLeft - kDescriptionRightInset, 12)));
        QVERIFY(AllOf(shot, QRect(0, bottom, kWidth, ButtonRect(0, kHeight).top() - bottom)));
        QVERIFY(!AllOf(shot, QRect(kDescriptionLeft, top, 10, 10)));
        QVERIFY(AllOf(shot, QRect(kWidth - kDescriptionRightInset, top, kDescriptionRightInset, bottom - top)));
        QVERIFY(AllOf(shot, QRect(0, top, kDescriptionLeft, bottom - top)));
    }

    // 1.5 + 2.25 + 0: the amount framed at the bottom right, the label
    // before it. Once an item is done, what is left to pay and what is done:
    // in the total's tool tip, and drawn before the total in a window wider
    // than the smallest. A list with nothing done shows neither.
    void whatIsLeft_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("milkDone");
        QTest::newRow("smallest window") << kWidth << true;
        QTest::newRow("wider window") << kWidth + 200 << true;
        QTest::newRow("wider window, nothing done") << kWidth + 200 << false;
    }

    void whatIsLeft()
    {
        QFETCH(int, width);
        QFETCH(bool, milkDone);
        CListItemArray groceries = SampleLists().at(0); // Bread 1.50, Milk 2.25 (done), Salt
        groceries.m_items[1].m_bDone = milkDone;
        Fixture f({groceries});
        CQuillmarkView &view = f.Start();
        view.resize(width, kHeight);
        f.OpenList(0);
        const QImage shot = Shot(view);

        const QFontMetrics value(ValueFont());
        const QFontMetrics label(LabelFont());
        const int total = width - kTotalRightInset - value.horizontalAdvance(QStringLiteral("3.75"));
        const int top = kHeight - kTotalBottomInset - value.height();
        const int totalLabel = total - kGap - label.horizontalAdvance(QStringLiteral("Total: "));
        const QRect text(total, top, value.horizontalAdvance(QStringLiteral("3.75")), value.height());
        QCOMPARE(shot.copy(text), TextOnWhite(ValueFont(), text.topLeft(), QStringLiteral("3.75"), view.size()).copy(text));
        const QRect frame(text.topLeft() - QPoint(kFramePad, kFramePad), QPoint(width - kFrameRightInset - 1, text.bottom() + kFramePad));
        for (const QRect &edge : {QRect(frame.topLeft(), QSize(frame.width(), 1)), QRect(frame.bottomLeft(), QSize(frame.width(), 1)),
                                  QRect(frame.topLeft(), QSize(1, frame.height())), QRect(frame.topRight(), QSize(1, frame.height()))})
            QVERIFY(AllOf(shot, edge, kBlack));
        QVERIFY(AllOf(shot, QRect(frame.right() + 1, frame.top(), width - frame.right() - 1, frame.height())));
        const QRect totalArea(totalLabel, top, total - kGap - totalLabel, label.height());
        QCOMPARE(shot.copy(totalArea), TextOnWhite(LabelFont(), totalArea.topLeft(), QStringLiteral("Total: "), view.size()).copy(totalArea));
        const int buttons = ButtonRect(4, kHeight).right() + 1;
        const QRect line(buttons, top, totalLabel - buttons, value.height());
        if (milkDone && width > kWidth) {
            const QString left = QStringLiteral("Left: ");
            const int end = totalLabel - kLeftBeforeTotal;
            const int amount = end - value.horizontalAdvance(QStringLiteral("1.50"));
            const QRect amountArea(amount, top, end - amount, value.height());
            const QRect labelArea(amount - label.horizontalAdvance(left), top, label.horizontalAdvance(left), label.height());
            QCOMPARE(shot.copy(amountArea), TextOnWhite(ValueFont(), amountArea.topLeft(), QStringLiteral("1.50"), view.size()).copy(amountArea));
            QCOMPARE(shot.copy(labelArea), TextOnWhite(LabelFont(), labelArea.topLeft(), left, view.size()).copy(labelArea));
            QVERIFY(AllOf(shot, QRect(buttons, top, labelArea.left() - buttons, value.height())));
            QVERIFY(AllOf(shot, QRect(end, top, totalLabel - end, value.height())));
        } else {
            QVERIFY(AllOf(shot, line));
        }
        const QPoint onTotal(width - kFrameRightInset - 3, top + value.height() / 2);
        QCOMPARE(TipShownAt(&view, onTotal), milkDone ? QStringLiteral("Left: 1.50 · Done: 2.25") : QString());
        QCOMPARE(TipShownAt(&view, line.topLeft() + QPoint(1, 1)), QString());
    }

    // Under German the longer texts are measured: "Summe:" stays clear of
    // the up arrow beside it (giving up its space where it must), and every
    // heading of the table and every date in it is read whole.
    void germanTextsFit()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/translations/quillmark_de.qm")));
        QCoreApplication::installTranslator(&german);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto english = qScopeGuard([&german] {
            QCoreApplication::removeTranslator(&german);
            QLocale::setDefault(QLocale::c());
        });
        Fixture f({List(QStringLiteral("Trip"), {Item(QStringLiteral("Flights")).Done().Price(189.0).Dated(Local(2024, 12, 17, 7, 40)),
                                                 Item(QStringLiteral("Hotel")).Price(336.5)})
                           .Icon(5)});
        CQuillmarkView &view = f.Start();
        f.OpenList(0);
        const QImage shot = Shot(view);

        const QFontMetrics value(ValueFont());
        const QFontMetrics label(LabelFont());
        const int end = kWidth - kTotalRightInset - value.horizontalAdvance(QStringLiteral("525.50")) - kGap;
        const QString sum = QStringLiteral("Summe:");
        const QRect labelArea(end - label.horizontalAdvance(sum), kHeight - kTotalBottomInset - value.height(),
                              label.horizontalAdvance(sum), label.height());
        QVERIFY(labelArea.left() > ButtonRect(4, kHeight).right());
        QCOMPARE(shot.copy(labelArea), TextOnWhite(LabelFont(), labelArea.topLeft(), sum).copy(labelArea));

        const QHeaderView *header = f.Table()->header();
        for (int c : {CListsModel::Name, CListsModel::Price, CListsModel::Date, CListsModel::Done}) {
            QStyleOptionHeader heading;
            heading.initFrom(header);
            heading.text = header->model()->headerData(c, Qt::Horizontal).toString();
            heading.rect = QRect(0, 0, header->sectionSize(c), header->height());
            const QRect room = header->style()->subElementRect(QStyle::SE_HeaderLabel, &heading, header);
            QVERIFY2(header->fontMetrics().horizontalAdvance(heading.text) <= room.width(), qPrintable(heading.text));
        }
        const QModelIndex date = f.TableRow(0).siblingAtColumn(CListsModel::Date);
        QCOMPARE(date.data().toString(), QStringLiteral("17.12.2024"));
        QVERIFY(f.Table()->sizeHintForIndex(date).width() <= header->sectionSize(CListsModel::Date));
    }
};

QUILLMARK_TEST_MAIN(TestViewDraw)
#include "tst_viewdraw.moc"
