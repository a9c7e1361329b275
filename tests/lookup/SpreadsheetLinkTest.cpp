#include "lookup/SpreadsheetLink.h"
#include "catalogue/Catalogue.h"
#include "lookup/SpreadsheetLinkView.h"
#include "platform/RecordingTransferSink.h"

#include <QTest>

namespace {

// Records the check marks and messages as the window would show them.
class RecordingView : public SpreadsheetLinkView {
public:
    QStringList marks;
    QStringList messages;

    void SetMenuChecked(LinkMenuItem item, bool checked) override {
        static const char* const names[] = {"mnuexcel", "mnuT", "mnuW", "mnuP"};
        marks.append(QString::fromLatin1(names[int(item)]) +
                     (checked ? QStringLiteral(" on") : QStringLiteral(" off")));
    }
    void ShowLinkMessage(const QString& message) override { messages.append(message); }
};

// One member in each of the groups 1 to 5, of unit kinds 1, 2, 3, 4 and 0.
Catalogue sampleCatalogue() {
    Catalogue c;
    c.resetTables();
    c.GroupCount = 5;
    const qint16 kinds[] = {1, 2, 3, 4, 0};
    for (qint16 g = 1; g <= 5; ++g) {
        c.GroupName[g] = QStringLiteral("G%1").arg(g);
        c.GroupKind[g] = kinds[g - 1];
        c.GroupMemberCount[g] = 1;
        c.MemberName[g][1] = QStringLiteral("H-100x100x6x8");
        c.MemberWeight[g][1] = 17.2;
        c.MemberPaintCoef[g][1] = 0.574;
    }
    c.MemberRemark[1][1] = QStringLiteral("SS400");
    c.WeightKeys = QStringLiteral("{RIGHT}");
    c.WeightFormula = QStringLiteral("=D1*E1");
    c.AreaKeys = QStringLiteral("{RIGHT 2}");
    c.AreaFormula = QStringLiteral("=F1*2");
    c.Kind1Keys = QStringLiteral("{DOWN}{LEFT 6}");
    c.Kind2Keys = QStringLiteral("{DOWN}{LEFT 5}");
    c.Kind3Keys = QString();
    return c;
}

} // namespace

class SpreadsheetLinkTest : public QObject {
    Q_OBJECT

private slots:
    void tableForm_data();
    void tableForm();
    void singleValueModes_data();
    void singleValueModes();
    void noWindowSendsNothing_data();
    void noWindowSendsNothing();
    void malformedSettingStopsTheTransfer_data();
    void malformedSettingStopsTheTransfer();
    void titleFromEnvironment();
    void menuHandlers_data();
    void menuHandlers();
};

void SpreadsheetLinkTest::tableForm_data() {
    QTest::addColumn<qint16>("group");
    QTest::addColumn<QString>("areaFormula");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("clipboardAfter");

    const QStringList head = {QStringLiteral("AppActivate Microsoft Excel"),
                              QStringLiteral("Clear"),
                              QStringLiteral("SetText H-100x100x6x8\tSS400\t 1\t 17.2\t .574"),
                              QStringLiteral("SendKeys ^v wait"),
                              QStringLiteral("SendKeys {RIGHT} nowait"),
                              QStringLiteral("Clear"),
                              QStringLiteral("SetText =D1*E1"),
                              QStringLiteral("SendKeys ^v wait"),
                              QStringLiteral("SendKeys {RIGHT 2} nowait"),
                              QStringLiteral("Clear")};
    const QStringList area = {QStringLiteral("SetText =F1*2"), QStringLiteral("SendKeys ^v wait")};

    QTest::newRow("kind 1") << qint16(1) << "=F1*2"
                            << head + area + QStringList{QStringLiteral("SendKeys {DOWN}{LEFT 6} nowait")}
                            << "=F1*2";
    QTest::newRow("no area formula") << qint16(1) << "=/"
                                     << head + QStringList{QStringLiteral("SendKeys {DOWN}{LEFT 6} nowait")}
                                     << "";

    QStringList row = head;
    row[2] = QStringLiteral("SetText H-100x100x6x8\t\t 2\t 17.2\t .574");
    QTest::newRow("kind 2, empty remark")
        << qint16(2) << "=F1*2" << row + area + QStringList{QStringLiteral("SendKeys {DOWN}{LEFT 5} nowait")}
        << "=F1*2";
    row[2] = QStringLiteral("SetText H-100x100x6x8\t\t 3\t 17.2\t .574");
    QTest::newRow("kind 3, empty setting still sent")
        << qint16(3) << "=F1*2" << row + area + QStringList{QStringLiteral("SendKeys  nowait")} << "=F1*2";
    row[2] = QStringLiteral("SetText H-100x100x6x8\t\t 4\t 17.2\t .574");
    QTest::newRow("kind 4 sends no kind keys") << qint16(4) << "=F1*2" << row + area << "=F1*2";
    row[2] = QStringLiteral("SetText H-100x100x6x8\t\t 0\t 17.2\t .574");
    QTest::newRow("kind 0 sends no kind keys") << qint16(5) << "=/" << row << "";
}

void SpreadsheetLinkTest::tableForm() {
    QFETCH(qint16, group);
    QFETCH(QString, areaFormula);
    QFETCH(QStringList, calls);
    QFETCH(QString, clipboardAfter);

    Catalogue c = sampleCatalogue();
    c.AreaFormula = areaFormula;
    RecordingTransferSink sink;
    RecordingView view;
    SpreadsheetLink link(sink, view);
    link.mnuT_Click();
    link.TransferToSpreadsheet(c, group, 1);
    QCOMPARE(sink.calls, calls);
    QCOMPARE(sink.clipboard, clipboardAfter);
    QVERIFY(view.messages.isEmpty());
}

void SpreadsheetLinkTest::singleValueModes_data() {
    QTest::addColumn<bool>("weightOnly");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("coefficient");
    QTest::addColumn<QString>("sent");

    QTest::newRow("weight only") << true << 17.2 << 34.19 << " 17.2";
    QTest::newRow("weight only, whole number") << true << 12.0 << 34.19 << " 12";
    QTest::newRow("coefficient only") << false << 17.2 << 34.19 << " 34.19";
    QTest::newRow("coefficient only, below one") << false << 17.2 << 0.574 << " .574";
    QTest::newRow("coefficient only, negative") << false << 17.2 << -1.5 << "-1.5";
}

void SpreadsheetLinkTest::singleValueModes() {
    QFETCH(bool, weightOnly);
    QFETCH(double, weight);
    QFETCH(double, coefficient);
    QFETCH(QString, sent);

    Catalogue c = sampleCatalogue();
    c.MemberWeight[1][1] = weight;
    c.MemberPaintCoef[1][1] = coefficient;
    RecordingTransferSink sink;
    RecordingView view;
    SpreadsheetLink link(sink, view);
    weightOnly ? link.mnuW_Click() : link.mnuP_Click();
    link.TransferToSpreadsheet(c, 1, 1);
    const QStringList calls = {QStringLiteral("AppActivate Microsoft Excel"), QStringLiteral("Clear"),
                               QStringLiteral("SetText ") + sent, QStringLiteral("SendKeys ^v wait")};
    QCOMPARE(sink.calls, calls);
    QCOMPARE(sink.clipboard, sent);
}

void SpreadsheetLinkTest::noWindowSendsNothing_data() {
    QTest::addColumn<qint16>("mode");
    QTest::newRow("table form") << qint16(SpreadsheetLink::TableForm);
    QTest::newRow("weight only") << qint16(SpreadsheetLink::WeightOnly);
    QTest::newRow("coefficient only") << qint16(SpreadsheetLink::PaintOnly);
}

void SpreadsheetLinkTest::noWindowSendsNothing() {
    QFETCH(qint16, mode);
    const Catalogue c = sampleCatalogue();
    RecordingTransferSink sink;
    sink.windowPresent = false;
    sink.clipboard = QStringLiteral("what the user copied");
    RecordingView view;
    SpreadsheetLink link(sink, view);
    link.TransferMode = mode;
    link.TransferToSpreadsheet(c, 1, 1);
    QCOMPARE(sink.calls, QStringList{QStringLiteral("AppActivate Microsoft Excel")});
    QCOMPARE(sink.clipboard, QStringLiteral("what the user copied"));
    QVERIFY(view.messages.isEmpty());
}

void SpreadsheetLinkTest::malformedSettingStopsTheTransfer_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("lastCall");

    QTest::newRow("weight keys") << "WeightKeys"
                                 << "W>"
                                 << "SendKeys ^v wait";
    QTest::newRow("area keys") << "AreaKeys"
                               << "A>"
                               << "SendKeys ^v wait";
    QTest::newRow("kind keys") << "Kind1Keys"
                               << "1>"
                               << "SendKeys ^v wait";
}

void SpreadsheetLinkTest::malformedSettingStopsTheTransfer() {
    QFETCH(QString, setting);
    QFETCH(QString, tag);
    QFETCH(QString, lastCall);

    Catalogue c = sampleCatalogue();
    const QString bad = QStringLiteral("{RIGHT}{LEFT 6");
    if (setting == u"WeightKeys")
        c.WeightKeys = bad;
    else if (setting == u"AreaKeys")
        c.AreaKeys = bad;
    else
        c.Kind1Keys = bad;
    RecordingTransferSink sink;
    RecordingView view;
    SpreadsheetLink link(sink, view);
    link.TransferToSpreadsheet(c, 1, 1);

    QCOMPARE(sink.calls.constLast(), lastCall);
    for (const QString& call : std::as_const(sink.calls))
        QVERIFY2(!call.contains(bad), qPrintable(call));
    QCOMPARE(view.messages.size(), 1);
    QVERIFY2(view.messages[0].contains(tag + QStringLiteral(" の行")), qPrintable(view.messages[0]));
    QVERIFY2(view.messages[0].contains(bad), qPrintable(view.messages[0]));
    QVERIFY2(view.messages[0].contains(QStringLiteral("閉じていません")), qPrintable(view.messages[0]));
}

void SpreadsheetLinkTest::titleFromEnvironment() {
    const Catalogue c = sampleCatalogue();
    RecordingTransferSink sink;
    sink.windowPresent = false;
    RecordingView view;
    SpreadsheetLink link(sink, view);
    qputenv("ZELK_SPREADSHEET_TITLE", "LibreOffice Calc");
    link.TransferToSpreadsheet(c, 1, 1);
    qputenv("ZELK_SPREADSHEET_TITLE", "");
    link.TransferToSpreadsheet(c, 1, 1);
    qunsetenv("ZELK_SPREADSHEET_TITLE");
    QCOMPARE(sink.calls, (QStringList{QStringLiteral("AppActivate LibreOffice Calc"),
                                      QStringLiteral("AppActivate Microsoft Excel")}));
}

void SpreadsheetLinkTest::menuHandlers_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qint16>("mode");
    QTest::addColumn<QStringList>("marks");

    QTest::newRow("start-up") << QStringList{"on", "T"} << true << qint16(0)
                              << QStringList{"mnuW off", "mnuP off", "mnuT on"};
    QTest::newRow("link off") << QStringList{"on", "T", "excel"} << false << qint16(0)
                              << QStringList{"mnuW off", "mnuP off", "mnuT on", "mnuexcel off"};
    QTest::newRow("link off and on again") << QStringList{"on", "excel", "excel"} << true << qint16(0)
                                           << QStringList{"mnuexcel off", "mnuexcel on"};
    QTest::newRow("weight only") << QStringList{"on", "T", "W"} << true << qint16(1)
                                 << QStringList{"mnuW off", "mnuP off", "mnuT on",
                                                "mnuP off", "mnuT off", "mnuW on"};
    QTest::newRow("weight after coefficient")
        << QStringList{"P", "W"} << false << qint16(1)
        << QStringList{"mnuW off", "mnuT off", "mnuP on", "mnuP off", "mnuT off", "mnuW on"};
    QTest::newRow("mode kept across the link switch")
        << QStringList{"on", "P", "excel"} << false << qint16(2)
        << QStringList{"mnuW off", "mnuT off", "mnuP on", "mnuexcel off"};
}

void SpreadsheetLinkTest::menuHandlers() {
    QFETCH(QStringList, clicks);
    QFETCH(bool, enabled);
    QFETCH(qint16, mode);
    QFETCH(QStringList, marks);

    RecordingTransferSink sink;
    RecordingView view;
    SpreadsheetLink link(sink, view);
    for (const QString& click : std::as_const(clicks)) {
        if (click == u"on")
            link.TransferEnabled = true; // what start-up does
        else if (click == u"excel")
            link.mnuexcel_Click();
        else if (click == u"T")
            link.mnuT_Click();
        else if (click == u"W")
            link.mnuW_Click();
        else if (click == u"P")
            link.mnuP_Click();
    }
    QCOMPARE(link.TransferEnabled, enabled);
    QCOMPARE(link.TransferMode, mode);
    QCOMPARE(view.marks, marks);
    QVERIFY(sink.calls.isEmpty());
}

QTEST_GUILESS_MAIN(SpreadsheetLinkTest)
#include "SpreadsheetLinkTest.moc"
