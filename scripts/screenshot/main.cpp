// Renders the pictures of the documentation: the main view in each of its
// modes, alone and inside the main window, and the List Setup and New Item
// dialogs, from a sample data file kept in the repository; the window also
// at 800 x 600, and it and the dialogs under a dark palette. Under
// QT_SCALE_FACTOR=2 the names get "@2x" (tree@2x.png): the dense screen's
// art. Runs without a display (offscreen) and with a fixed time zone and
// style, so the same sources always give the same pictures.
//
//   quillmark_screenshots [--make-sample] [--sample FILE] [--out FOLDER]
//
// --make-sample writes the sample data file first (from the lists below).

#include "app/MainFrame.h"
#include "controls/TreeOptionsCtrl.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "document/QuillmarkDoc.h"
#include "model/DataFile.h"
#include "platform/CalendarTime.h"
#include "view/QuillmarkView.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QSaveFile>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>
#include <ctime>

namespace {

// Icon numbers: strip picture n is number n + 5.
constexpr int kIconCart = 47;
constexpr int kIconCar = 42;
constexpr int kIconGreenNote = 28;
constexpr int kIconDollar = 39;
constexpr int kIconClock = 40;
constexpr int kIconHouse = 41;
constexpr int kIconEnvelope = 43;
constexpr int kIconChecklist = 31;
constexpr int kIconBluePin = 10;

CalendarTime At(int year, int month, int day, int hour, int minute)
{
    CalendarTime t = 0;
    CalendarTimeOps::FromLocal(year, month, day, hour, minute, 0, t);
    return t;
}

CListItem Item(const QString &name, int icon, bool done, double price = 0.0, CalendarTime when = 0,
               const QString &desc = QString())
{
    CListItem item;
    item.SetName(name);
    item.SetDescription(desc);
    item.m_nIcon = icon;
    item.m_bDone = done;
    item.m_dPrice = price;
    item.m_bDated = when != 0;
    // Undated items keep a time too; a fixed one keeps the file the same.
    item.SetDateTime(when != 0 ? when : At(2024, 4, 1, 12, 0));
    return item;
}

CListItemArray List(const QString &name, int icon, const QList<CListItem> &items)
{
    CListItemArray list;
    list.SetName(name);
    list.m_nIcon = icon;
    list.m_items = items;
    return list;
}

CListCollection SampleLists()
{
    return {
            List(QStringLiteral("Groceries"), kIconCart,
                 {Item(QStringLiteral("Apples"), kIconDollar, true, 3.40),
                  Item(QStringLiteral("Bread"), kIconDollar, false, 2.49),
                  Item(QStringLiteral("Coffee beans"), kIconDollar, false, 8.95),
                  Item(QStringLiteral("Eggs"), kIconDollar, true, 2.89),
                  Item(QStringLiteral("Milk"), kIconDollar, true, 1.19),
                  Item(QStringLiteral("Olive oil"), kIconDollar, false, 6.75)}),
            List(QStringLiteral("Trip to Lisbon"), kIconCar,
                 {Item(QStringLiteral("Flights"), kIconClock, true, 189.00, At(2024, 5, 17, 7, 40),
                       QStringLiteral("Seats 14A and 14B, one bag each.")),
                  Item(QStringLiteral("Hotel"), kIconHouse, true, 312.50, At(2024, 5, 17, 15, 0),
                       QStringLiteral("Three nights in Alfama, breakfast included. The confirmation "
                                      "number is in the mail from the booking site; check-in from "
                                      "3 PM, the key box code comes the day before.")),
                  Item(QStringLiteral("Museum tickets"), kIconClock, false, 24.00, At(2024, 5, 18, 10, 0)),
                  Item(QStringLiteral("Pack the charger"), kIconChecklist, false),
                  Item(QStringLiteral("Postcards home"), kIconEnvelope, false, 0.0, At(2024, 5, 19, 18, 30))}),
            List(QStringLiteral("Reading list"), kIconGreenNote,
                 {Item(QStringLiteral("Middlemarch"), kIconGreenNote, true, 0.0, 0,
                       QStringLiteral("Finished in March.")),
                  Item(QStringLiteral("The Peregrine"), kIconGreenNote, false),
                  Item(QStringLiteral("Moby-Dick"), kIconGreenNote, false),
                  Item(QStringLiteral("A Pattern Language"), kIconGreenNote, false)}),
            List(QStringLiteral("Garden"), kIconBluePin,
                 {Item(QStringLiteral("Sow tomatoes"), kIconBluePin, true),
                  Item(QStringLiteral("Fix the gate"), kIconBluePin, false)}),
    };
}

bool WriteSample(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly) || !DataFile::Write(file, SampleLists(), &error) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(error.isEmpty() ? file.errorString() : error));
        return false;
    }
    return true;
}

bool Save(QWidget &widget, const QString &path)
{
    // Item views lay out (scroll bars included) from the event loop.
    QCoreApplication::processEvents();
    widget.repaint();
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A dark desktop's colours, as a dark theme gives them.
QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), dimmed(128, 128, 128);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::PlaceholderText, dimmed);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, dimmed);
    return dark;
}

// Brings the view into each mode in turn and calls `shoot` with the name of
// the picture: the tree with the groceries open, the trip's item table, the
// hotel's details.
template<typename Shoot>
bool Tour(CQuillmarkView &view, Shoot shoot)
{
    auto *tree = view.findChild<CTreeOptionsCtrl *>(QStringLiteral("listTree"));
    auto *table = view.findChild<QTreeView *>(QStringLiteral("itemTable"));
    if (!table || !tree)
        return false;
    const QModelIndex lists = tree->model()->index(0, 0);
    const QModelIndex groceries = tree->model()->index(0, 0, lists);
    const QModelIndex trip = tree->model()->index(1, 0, lists);
    if (!groceries.isValid() || !trip.isValid())
        return false;
    // The magnifier.
    const auto open = [&view] { view.Action(CViewActions::Open)->trigger(); };
    tree->expand(groceries);
    tree->setCurrentIndex(tree->model()->index(2, 0, groceries));
    if (!shoot(QStringLiteral("tree")))
        return false;

    tree->setCurrentIndex(trip);
    open();
    if (table->isHidden() || !shoot(QStringLiteral("items")))
        return false;

    table->setCurrentIndex(table->model()->index(1, 0, table->rootIndex()));
    open();
    if (!table->isHidden() || !tree->isHidden() || !shoot(QStringLiteral("item")))
        return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The sample's dates are local wall-clock fields: one zone for all runs.
    qputenv("TZ", "UTC");
    tzset();
    QApplication::setDesktopSettingsAware(false);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QCoreApplication::setOrganizationName(QStringLiteral("Fernwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));

    const QString source = QStringLiteral(QUILLMARK_SOURCE_DIR);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the documentation's screenshots."));
    parser.addHelpOption();
    const QCommandLineOption makeSample(QStringLiteral("make-sample"), QStringLiteral("Write the sample data file first."));
    const QCommandLineOption sampleOption(QStringLiteral("sample"), QStringLiteral("The sample data file."),
                                          QStringLiteral("file"), source + QStringLiteral("/docs/sample/Quillmark.dat"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Where the pictures go."),
                                       QStringLiteral("folder"), source + QStringLiteral("/docs/screenshots"));
    parser.addOptions({makeSample, sampleOption, outOption});
    parser.process(app);

    const QString samplePath = parser.value(sampleOption);
    const QDir out(parser.value(outOption));
    if (parser.isSet(makeSample) && !WriteSample(samplePath))
        return 1;
    if (!QFile::exists(samplePath)) {
        std::fprintf(stderr, "no sample data file at %s (try --make-sample)\n", qPrintable(samplePath));
        return 1;
    }
    QDir().mkpath(out.path());

    // The program reads (and could write) a copy, never the sample itself;
    // its settings and data folders are temporary too.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
    const QString copy = scratch.filePath(QStringLiteral("Quillmark.dat"));
    if (!QFile::copy(samplePath, copy))
        return 1;

    const QString density = app.devicePixelRatio() > 1.0 ? QStringLiteral("@%1x").arg(app.devicePixelRatio())
                                                          : QString();
    const auto picture = [&](const QString &name) { return out.filePath(name + density + QStringLiteral(".png")); };
    {
        CQuillmarkDoc doc;
        doc.SetPath(copy);
        doc.Load();
        CQuillmarkView view(doc);
        view.OnInitialUpdate();
        view.show();
        if (!Tour(view, [&](const QString &name) { return Save(view, picture(name)); }))
            return 1;
    }
    {
        CMainFrame frame;
        frame.Document()->SetPath(copy);
        frame.OnInitialUpdate();
        frame.show();
        if (!Tour(*frame.View(), [&](const QString &name) {
                return Save(frame, picture(QStringLiteral("window-") + name));
            }))
            return 1;
    }
    {
        // A larger window on the trip's items; its name column takes the room.
        CMainFrame frame;
        frame.Document()->SetPath(copy);
        frame.OnInitialUpdate();
        frame.resize(800, 600);
        frame.show();
        if (!Tour(*frame.View(), [&](const QString &name) {
                return name != QLatin1String("items") || Save(frame, picture(QStringLiteral("window-large")));
            }))
            return 1;
    }
    {
        // The window in each mode under a dark desktop palette.
        const QPalette light = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        CMainFrame frame;
        frame.Document()->SetPath(copy);
        frame.OnInitialUpdate();
        frame.show();
        const bool shot = Tour(*frame.View(), [&](const QString &name) {
            return Save(frame, picture(QStringLiteral("window-dark-") + name));
        });
        QApplication::setPalette(light);
        if (!shot)
            return 1;
    }
    const CListCollection lists = SampleLists();
    // List Setup on the trip's items, the hotel selected, and New Item with
    // the hotel in it; the names end in `tail`.
    const auto dialogs = [&](const QString &tail) {
        {
            CListSetupDlg dlg;
            dlg.m_lists = lists;
            dlg.m_nCurList = 1;
            dlg.show();
            dlg.ItemList()->setCurrentItem(dlg.ItemList()->topLevelItem(1));
            if (!Save(dlg, picture(QStringLiteral("listsetup") + tail)))
                return false;
        }
        const CListItem hotel = lists.at(1).GetItem(1);
        CNewItemDlg dlg;
        dlg.m_strName = hotel.m_strName;
        dlg.m_strDesc = hotel.m_strDesc;
        dlg.m_dPrice = hotel.m_dPrice;
        dlg.m_bDated = hotel.m_bDated;
        dlg.m_date = dlg.m_time = hotel.m_time;
        dlg.m_nIcon = hotel.m_nIcon;
        dlg.show();
        return Save(dlg, picture(QStringLiteral("newitem") + tail));
    };
    if (!dialogs(QString()))
        return 1;
    const QPalette light = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    const bool darkDialogs = dialogs(QStringLiteral("-dark"));
    QApplication::setPalette(light);
    if (!darkDialogs)
        return 1;
    return 0;
}
