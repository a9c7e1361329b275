#include "catalogue/LoadCatalogue.h"
#include "lookup/MemberTexts.h"
#include "standin/StandInProcess.h"
#include "standin/ZelkProcess.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

constexpr int kTransferTimeoutMs = 20000;

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

// What the user types into zelk in one go, with its window active. When the keys end with the
// choice of member m of group g, the stand-in's current cell and paste count once that member has
// arrived; g 0 for keys that choose nothing (a group, a menu command).
struct Step {
    QStringList keys;
    qint16 g = 0;
    qint16 m = 0;
    QString cursor;
    int pastes = 0;
};

QStringList keys(const char* text) {
    return QString::fromLatin1(text).split(u' ');
}

Step choose(const char* text, qint16 g, qint16 m, const char* cursor, int pastes) {
    return Step{keys(text), g, m, QString::fromLatin1(cursor), pastes};
}

Step command(const char* text) {
    return Step{keys(text), 0, 0, QString(), 0};
}

// Keys for the list, from the group box where the window starts: Tab into the list makes its
// first member current, Space chooses it, Down chooses the next; Shift+Tab goes back to the group box.
// The menu commands: Alt+S, then C for the transfer modes, then T, W or P.

void saveScreenshot(const QString& name) {
    const QString dir = qEnvironmentVariable("ZELK_LINK_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QProcess import;
    import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                            QDir(dir).filePath(name + QStringLiteral(".png"))});
    import.waitForFinished(20000);
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

// zelk and the stand-in spreadsheet as two programs on the private X server: members are chosen
// in zelk with real key presses and the stand-in's grid is compared cell by cell.
class X11SpreadsheetLinkTest : public QObject {
    Q_OBJECT

private slots:
    void membersArrive_data();
    void membersArrive();
    void noSpreadsheetChangesOnlyTheLabel();
};

void X11SpreadsheetLinkTest::membersArrive_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("windowTitle");
    QTest::addColumn<QString>("searchedTitle"); // ZELK_SPREADSHEET_TITLE
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("grid");

    const QString table = QStringLiteral("link-table.csv");
    const QString excel = QString::fromLatin1(StandInProcess::kDefaultTitle);
    const QString weightFormula = QStringLiteral("=INDEX(D:D,ROW())*2");
    const QString areaFormula = QStringLiteral("=INDEX(E:E,ROW())*INDEX(F:F,ROW())/1000");

    QTest::newRow("table form, kinds 1 to 3")
        << table << excel << QString()
        << QList<Step>{choose("Tab Down", 1, 2, "A2", 3), choose("shift+Tab Down Tab Down", 2, 2, "A3", 6),
                       choose("shift+Tab Down Tab space", 3, 1, "A4", 9)}
        << QStringList{"A1=H-100x100x6x8",
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
        << QStringLiteral("link-nomarker.csv") << excel << QString()
        << QList<Step>{choose("Tab space", 1, 1, "A2", 2), choose("shift+Tab Down Tab space", 2, 1, "A3", 4)}
        << QStringList{"A1=H-100x50x5x7", "C1= 1",     "D1= 9.3",  "E1= 41.94", "F1=" + weightFormula,
                       "A2=PL-6",         "C2= 2",     "D2= 47.1", "E2= 42.46", "F2=" + weightFormula,
                       "cursor=A3",       "ignored=0", "pastes=4"};
    QTest::newRow("table form, kind without keys")
        << table << excel << QString() << QList<Step>{choose("Down Down Down Tab space", 4, 1, "G1", 3)}
        << QStringList{
               "A1=X-1",    "C1= 4",     "D1=-1.5", "E1= 0", "F1=" + weightFormula, "G1=" + areaFormula,
               "cursor=G1", "ignored=0", "pastes=3"};
    QTest::newRow("weight only") << table << excel << QString()
                                 << QList<Step>{command("alt+s c w"), choose("Down Tab Down", 2, 2, "A1", 1),
                                                choose("shift+Tab Up Tab Down", 1, 2, "A1", 2)}
                                 << QStringList{"A1= 17.2", "cursor=A1", "ignored=0", "pastes=2"};
    QTest::newRow("coefficient only")
        << table << excel << QString()
        << QList<Step>{command("alt+s c p"), choose("Down Down Tab space", 3, 1, "A1", 1)}
        << QStringList{"A1= .42", "cursor=A1", "ignored=0", "pastes=1"};
    QTest::newRow("modes in turn") << table << excel << QString()
                                   << QList<Step>{command("alt+s c p"), choose("Tab space", 1, 1, "A1", 1),
                                                  command("alt+s c t"), choose("Down", 1, 2, "A2", 4),
                                                  command("alt+s c w"), choose("Up", 1, 1, "A2", 5)}
                                   << QStringList{"A1=H-100x100x6x8",  "B1=SS400",  "C1= 1",
                                                  "D1= 17.2",          "E1= 34.19", "F1=" + weightFormula,
                                                  "G1=" + areaFormula, "A2= 9.3",   "cursor=A2",
                                                  "ignored=0",         "pastes=5"};
    QTest::newRow("current spreadsheet title")
        << table << QStringLiteral("Book1 - Excel") << QString()
        << QList<Step>{command("alt+s c w"), choose("Down Tab space", 2, 1, "A1", 1)}
        << QStringList{"A1= 47.1", "cursor=A1", "ignored=0", "pastes=1"};
    QTest::newRow("title from the environment")
        << table << QStringLiteral("Untitled 1 - LibreOffice Calc") << QStringLiteral("LibreOffice Calc")
        << QList<Step>{command("alt+s c p"), choose("Tab space", 1, 1, "A1", 1)}
        << QStringList{"A1= 41.94", "cursor=A1", "ignored=0", "pastes=1"};
}

void X11SpreadsheetLinkTest::membersArrive() {
    QFETCH(QString, file);
    QFETCH(QString, windowTitle);
    QFETCH(QString, searchedTitle);
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, grid);

    const QString path = QStringLiteral(ZELK_SOURCE_DIR "/tests/data/") + file;
    Catalogue catalogue;
    QCOMPARE(LoadCatalogue(catalogue, path).status, LoadResult::Status::Loaded);
    StandInProcess standIn;
    QVERIFY2(standIn.start(windowTitle), qPrintable(standIn.error));
    ZelkProcess zelk;
    QVERIFY2(zelk.start(path, searchedTitle), qPrintable(zelk.error));

    QStringList labels;
    for (const Step& step : steps) {
        // The last transfer left the stand-in active; the user clicks zelk's window again.
        QVERIFY2(zelk.activate(), qPrintable(zelk.error));
        QVERIFY2(zelk.type(step.keys), qPrintable(zelk.error));
        if (step.g == 0)
            continue;
        labels.append(ValueLabelText(catalogue, step.g, step.m));
        QVERIFY2(zelk.waitForChoices(labels.size(), kTransferTimeoutMs), qPrintable(step.keys.join(u' ')));
        QCOMPARE(zelk.choices(), labels);
        // The keys sent without wait at the end may still be on their way; the next click on
        // zelk must not take the focus from the stand-in before they have arrived.
        const auto arrived = [&] {
            const QMap<QString, QString> now = standIn.grid();
            return now.value(QStringLiteral("cursor")) == step.cursor &&
                   now.value(QStringLiteral("pastes")).toInt() == step.pastes;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(
            arrived(),
            qPrintable(step.keys.join(u' ') + QStringLiteral(": ") + gridLines(standIn.grid()).join(u' ')),
            kTransferTimeoutMs);
    }
    // Keys that the last member's settings type into a cell may still be on their way.
    QTRY_COMPARE_WITH_TIMEOUT(gridLines(standIn.grid()), grid, kTransferTimeoutMs);
    saveScreenshot(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u','));
}

// With no window of the searched title, a choice shows the member in the label and nothing else:
// the clipboard keeps what the user copied, no other window is activated or typed into.
void X11SpreadsheetLinkTest::noSpreadsheetChangesOnlyTheLabel() {
    const QString path = QStringLiteral(ZELK_SOURCE_DIR "/tests/data/link-table.csv");
    Catalogue catalogue;
    QCOMPARE(LoadCatalogue(catalogue, path).status, LoadResult::Status::Loaded);
    StandInProcess bystander;
    QVERIFY2(bystander.start(QStringLiteral("Untitled - Notepad")), qPrintable(bystander.error));
    const QMap<QString, QString> untouched = bystander.grid();
    const QString copied = QStringLiteral("what the user copied");
    QGuiApplication::clipboard()->setText(copied);

    ZelkProcess zelk;
    QVERIFY2(zelk.start(path), qPrintable(zelk.error));
    QVERIFY2(zelk.type(keys("Tab Down")), qPrintable(zelk.error));
    QVERIFY(zelk.waitForChoices(1, kTransferTimeoutMs));
    QCOMPARE(zelk.choices(), QStringList{ValueLabelText(catalogue, 1, 2)});
    QVERIFY2(zelk.type(keys("Down")), qPrintable(zelk.error)); // past the end: no choice
    QVERIFY2(zelk.type(keys("Up")), qPrintable(zelk.error));
    QVERIFY(zelk.waitForChoices(2, kTransferTimeoutMs));
    QCOMPARE(zelk.choices(), (QStringList{ValueLabelText(catalogue, 1, 2), ValueLabelText(catalogue, 1, 1)}));

    QVERIFY(zelk.isActive());
    QVERIFY(QGuiApplication::clipboard()->ownsClipboard());
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QCOMPARE(bystander.grid(), untouched);
}

QTEST_MAIN(X11SpreadsheetLinkTest)
#include "X11SpreadsheetLinkTest.moc"
