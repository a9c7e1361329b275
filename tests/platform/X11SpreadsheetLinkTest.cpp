#include "LinkTestDriver.h"
#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"
#include "platform/X11TransferSink.h"
#include "standin/StandInProcess.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <memory>
#include <xcb/xtest.h>

namespace {

// The grid as "A1=text" lines in row order, then the current cell and the counters.
QStringList gridLines(const QMap<QString, QString>& grid) {
    QStringList lines;
    for (auto it = grid.cbegin(); it != grid.cend(); ++it)
        lines.append(it.key() + u'=' + it.value());
    std::sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        const auto rank = [](const QString& line) {
            const QString key = line.section(u'=', 0, 0);
            const bool cell = key.size() >= 2 && key[0].isUpper() && key[1].isDigit();
            return cell ? std::pair(key.mid(1).toInt(), int(key[0].unicode())) : std::pair(1000, 0);
        };
        return rank(a) != rank(b) ? rank(a) < rank(b) : a < b;
    });
    return lines;
}

// A click of the first mouse button at a point of the screen, as the X server makes it.
void clickAt(QPoint global) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, 0, root, int16_t(global.x()), int16_t(global.y()), 0);
    xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, 20, root, 0, 0, 0);
    xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, 20, root, 0, 0, 0);
    xcb_flush(c);
}

void chooseWithMouse(LinkTestDriver& driver, qint16 g, qint16 m) {
    QListWidgetItem* item = driver.list->item(driver.rowOf(g, m));
    driver.list->scrollToItem(item);
    const QRect rect = driver.list->visualItemRect(item);
    clickAt(driver.list->viewport()->mapToGlobal(rect.center()));
}

using Member = std::pair<qint16, qint16>;

void saveScreenshot(const QString& name) {
    const QString dir = qEnvironmentVariable("ZELK_LINK_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace

Q_DECLARE_METATYPE(QList<Member>)

class X11SpreadsheetLinkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void membersArrive_data();
    void membersArrive();
    void noSpreadsheetChangesOnlyTheLabel();

private:
    std::unique_ptr<X11TransferSink> sink_;
};

void X11SpreadsheetLinkTest::initTestCase() {
    QVERIFY2(X11TransferSink::Available(), "needs an X display (QT_QPA_PLATFORM=xcb)");
    sink_ = std::make_unique<X11TransferSink>();
}

void X11SpreadsheetLinkTest::membersArrive_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint16>("mode");
    QTest::addColumn<QString>("windowTitle");
    QTest::addColumn<QString>("searchedTitle"); // ZELK_SPREADSHEET_TITLE
    QTest::addColumn<QList<Member>>("members");
    QTest::addColumn<QStringList>("grid");

    const QString table = QStringLiteral("link-table.csv");
    const QString excel = QString::fromLatin1(StandInProcess::kDefaultTitle);
    const QString weightFormula = QStringLiteral("=INDEX(D:D,ROW())*2");
    const QString areaFormula = QStringLiteral("=INDEX(E:E,ROW())*INDEX(F:F,ROW())/1000");

    QTest::newRow("table form, kinds 1 to 3")
        << table << qint16(SpreadsheetLink::TableForm) << excel << QString()
        << QList<Member>{{1, 2}, {2, 2}, {3, 1}} << QStringList{"A1=H-100x100x6x8",
                                                                "B1=SS400",
                                                                "C1= 1",
                                                                "D1= 17.2",
                                                                "E1= 34.19",
                                                                "F1=" + weightFormula,
                                                                "G1=" + areaFormula,
                                                                "A2=PL-9",
                                                                "B2=A, B",
                                                                "C2= 2",
                                                                "D2= 70.7",
                                                                "E2= 28.3",
                                                                "F2=" + weightFormula,
                                                                "G2=" + areaFormula,
                                                                "A3=P-60.5x3.2",
                                                                "C3= 3",
                                                                "D3= 4.52",
                                                                "E3= .42",
                                                                "F3=" + weightFormula,
                                                                "G3=" + areaFormula,
                                                                "cursor=A4",
                                                                "ignored=0",
                                                                "pastes=9"};
    QTest::newRow("table form, no area formula")
        << QStringLiteral("link-nomarker.csv") << qint16(SpreadsheetLink::TableForm) << excel << QString()
        << QList<Member>{{1, 1}, {2, 1}}
        << QStringList{"A1=H-100x50x5x7", "C1= 1",     "D1= 9.3",  "E1= 41.94", "F1=" + weightFormula,
                       "A2=PL-6",         "C2= 2",     "D2= 47.1", "E2= 42.46", "F2=" + weightFormula,
                       "cursor=A3",       "ignored=0", "pastes=4"};
    QTest::newRow("table form, kind without keys")
        << table << qint16(SpreadsheetLink::TableForm) << excel << QString() << QList<Member>{{4, 1}}
        << QStringList{
               "A1=X-1",    "C1= 4",     "D1=-1.5", "E1= 0", "F1=" + weightFormula, "G1=" + areaFormula,
               "cursor=G1", "ignored=0", "pastes=3"};
    QTest::newRow("keys beyond the keyboard map")
        << QStringLiteral("link-typed.csv") << qint16(SpreadsheetLink::TableForm) << excel << QString()
        << QList<Member>{{1, 1}}
        << QStringList{"A1=H-100x50x5x7",
                       "C1= 1",
                       "D1= 9.3",
                       "E1= 41.94",
                       "F1=" + weightFormula,
                       "G1=" + areaFormula,
                       QStringLiteral("A2=Z鋼A~HH"),
                       "cursor=A2",
                       "ignored=0",
                       "pastes=3"};
    QTest::newRow("weight only") << table << qint16(SpreadsheetLink::WeightOnly) << excel << QString()
                                 << QList<Member>{{2, 2}, {1, 2}}
                                 << QStringList{"A1= 17.2", "cursor=A1", "ignored=0", "pastes=2"};
    QTest::newRow("coefficient only")
        << table << qint16(SpreadsheetLink::PaintOnly) << excel << QString() << QList<Member>{{3, 1}}
        << QStringList{"A1= .42", "cursor=A1", "ignored=0", "pastes=1"};
    QTest::newRow("current spreadsheet title")
        << table << qint16(SpreadsheetLink::WeightOnly) << QStringLiteral("Book1 - Excel") << QString()
        << QList<Member>{{2, 1}} << QStringList{"A1= 47.1", "cursor=A1", "ignored=0", "pastes=1"};
    QTest::newRow("title from the environment")
        << table << qint16(SpreadsheetLink::PaintOnly) << QStringLiteral("Untitled 1 - LibreOffice Calc")
        << QStringLiteral("LibreOffice Calc") << QList<Member>{{1, 1}}
        << QStringList{"A1= 41.94", "cursor=A1", "ignored=0", "pastes=1"};
}

void X11SpreadsheetLinkTest::membersArrive() {
    QFETCH(QString, file);
    QFETCH(qint16, mode);
    QFETCH(QString, windowTitle);
    QFETCH(QString, searchedTitle);
    QFETCH(QList<Member>, members);
    QFETCH(QStringList, grid);

    Catalogue catalogue;
    QCOMPARE(LoadCatalogue(catalogue, QStringLiteral(ZELK_SOURCE_DIR "/tests/data/") + file).status,
             LoadResult::Status::Loaded);
    StandInProcess standIn;
    QVERIFY2(standIn.start(windowTitle), qPrintable(standIn.error));
    qputenv("ZELK_SPREADSHEET_TITLE", searchedTitle.toUtf8());

    ForwardingSink sink(*sink_);
    LinkTestDriver driver(catalogue, sink);
    driver.setGeometry(900, 100, 340, 500);
    driver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&driver));
    driver.link.TransferEnabled = true;
    if (mode == SpreadsheetLink::WeightOnly)
        driver.link.mnuW_Click();
    else if (mode == SpreadsheetLink::PaintOnly)
        driver.link.mnuP_Click();
    else
        driver.link.mnuT_Click();

    for (const auto& [g, m] : members) {
        const int before = driver.choices;
        chooseWithMouse(driver, g, m);
        QTRY_COMPARE_WITH_TIMEOUT(driver.choices, before + 1, 15000);
        QCOMPARE(driver.label->text(), ValueLabelText(catalogue, g, m));
    }
    // The keys sent without wait at the end may still be on their way.
    QTRY_COMPARE_WITH_TIMEOUT(gridLines(standIn.grid()), grid, 10000);
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join(u'\n')));
    saveScreenshot(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u','));
    qunsetenv("ZELK_SPREADSHEET_TITLE");
}

void X11SpreadsheetLinkTest::noSpreadsheetChangesOnlyTheLabel() {
    Catalogue catalogue;
    QCOMPARE(LoadCatalogue(catalogue, QStringLiteral(ZELK_SOURCE_DIR "/tests/data/link-table.csv")).status,
             LoadResult::Status::Loaded);
    qunsetenv("ZELK_SPREADSHEET_TITLE");
    const QString copied = QStringLiteral("what the user copied");
    QGuiApplication::clipboard()->setText(copied);

    ForwardingSink sink(*sink_);
    LinkTestDriver driver(catalogue, sink);
    driver.setGeometry(900, 100, 340, 500);
    driver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&driver));
    driver.link.TransferEnabled = true;
    driver.link.mnuT_Click();

    chooseWithMouse(driver, 1, 2);
    QTRY_COMPARE_WITH_TIMEOUT(driver.choices, 1, 15000);
    QCOMPARE(driver.label->text(), ValueLabelText(catalogue, 1, 2));
    QCOMPARE(sink.calls, QStringList{QStringLiteral("AppActivate Microsoft Excel")});
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QVERIFY(driver.messages.isEmpty());
}

QTEST_MAIN(X11SpreadsheetLinkTest)
#include "X11SpreadsheetLinkTest.moc"
