#include "CatalogueFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run zelkTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk-tool"), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

// zelk-tool show and check, seen from outside as scripts see them.
class tst_ZelkToolCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void show_printsTheTablesAsJson();
    void exitStatuses_data();
    void exitStatuses();

private:
    QString writeCatalogue(const QStringList& lines);
    QTemporaryDir m_dir;
};

QString tst_ZelkToolCatalogue::writeCatalogue(const QStringList& lines) {
    const QString path = m_dir.filePath(QStringLiteral("cat.csv"));
    if (!CatalogueFile::write(path, CatalogueFile::lines(lines)))
        qFatal("cannot write the test catalogue");
    return path;
}

void tst_ZelkToolCatalogue::show_printsTheTablesAsJson() {
    QStringList lines = CatalogueFile::standardHeader();
    lines << QStringLiteral("溝形鋼,1,2") << QStringLiteral("[-100x50x5x7.5,ソ,9.36,-1.5") << QString("/*")
          << QStringLiteral("鋼板,9,5") << QString("PL-6,,47.1,.5") << QString("/*");
    const QString path = writeCatalogue(lines);
    const Run run = zelkTool({QStringLiteral("show"), path});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    const QStringList keys{"file",          "WeightKeys", "WeightFormula", "AreaKeys",    "AreaFormula",
                           "Kind1Keys",     "Kind2Keys",  "Kind3Keys",     "WeightTitle", "PaintTitle",
                           "UnitKindCount", "units",      "GroupCount",    "groups",      "messages"};
    const QStringList actualKeys = json.keys();
    QCOMPARE(QSet<QString>(actualKeys.begin(), actualKeys.end()), QSet<QString>(keys.begin(), keys.end()));
    QCOMPARE(json[QStringLiteral("file")].toString(), path);
    QCOMPARE(json[QStringLiteral("AreaFormula")].toString(), QStringLiteral("=F1*2"));
    QCOMPARE(json[QStringLiteral("PaintTitle")].toString(), QStringLiteral("塗装面積係数"));
    QCOMPARE(json[QStringLiteral("units")].toArray().size(), 2);
    QCOMPARE(json[QStringLiteral("units")][1][QStringLiteral("UnitWeightLabel")].toString(),
             QStringLiteral("kg/m2"));
    QCOMPARE(json[QStringLiteral("GroupCount")].toInt(), 2);

    const QJsonObject channel = json[QStringLiteral("groups")][0].toObject();
    QCOMPARE(channel[QStringLiteral("GroupName")].toString(), QStringLiteral("溝形鋼"));
    QCOMPARE(channel[QStringLiteral("GroupMemberCount")].toInt(), 1);
    const QJsonObject member = channel[QStringLiteral("members")][0].toObject();
    QCOMPARE(member[QStringLiteral("MemberWeight")].toDouble(), 9.36);
    QCOMPARE(member[QStringLiteral("label")].toString(), QStringLiteral("9.36kg/m-1.5m2/t"));
    QCOMPARE(member[QStringLiteral("row")].toString(), QStringLiteral("[-100x50x5x7.5\tソ\t 1\t 9.36\t-1.5"));

    // Kind 9 has no labels: the values stand alone.
    const QJsonObject plate = json[QStringLiteral("groups")][1][QStringLiteral("members")][0].toObject();
    QCOMPARE(plate[QStringLiteral("label")].toString(), QStringLiteral("47.1 .5"));
    QCOMPARE(plate[QStringLiteral("row")].toString(), QStringLiteral("PL-6\t\t 9\t 47.1\t .5"));
    QCOMPARE(json[QStringLiteral("messages")].toArray().size(), 0);
}

void tst_ZelkToolCatalogue::exitStatuses_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("lines"); // empty: no file at all
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QStringList clean = CatalogueFile::standardHeader();
    clean << QString("G,1,2") << QString("M,,1,2") << QString("/*");
    QStringList damaged = clean;
    damaged[11] = QStringLiteral("M,,x,2");
    damaged << QString("");
    QStringList wrongTag = clean;
    wrongTag[4] = QStringLiteral("1)");

    QTest::newRow("check clean") << QString("check") << clean << 0 << QString("") << QString("");
    QTest::newRow("check damaged") << QString("check") << damaged << 1
                                   << QStringLiteral(
                                          "12行目: 数値ではありません（\"x\"）。0 として読みます。\n"
                                          "14行目: 空行があります。読み飛ばします。\n")
                                   << QString("");
    QTest::newRow("show missing") << QString("show") << QStringList() << 3 << QString("")
                                  << QStringLiteral("が見つかりません。\n");
    QTest::newRow("check missing") << QString("check") << QStringList() << 3 << QString("")
                                   << QStringLiteral("が見つかりません。\n");
    QTest::newRow("show wrong tag") << QString("show") << wrongTag << 4 << QString("")
                                    << QString("error in Line(1>)\n");
    QTest::newRow("check wrong tag") << QString("check") << wrongTag << 4 << QString("")
                                     << QString("error in Line(1>)\n");
}

void tst_ZelkToolCatalogue::exitStatuses() {
    QFETCH(QString, command);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const QString path = lines.isEmpty() ? m_dir.filePath(QStringLiteral("none.csv")) : writeCatalogue(lines);
    const Run run = zelkTool({command, path});
    QCOMPARE(run.exitCode, exitCode);
    if (command == u"check" || exitCode != 0)
        QCOMPARE(run.out, out);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.endsWith(err), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_ZelkToolCatalogue)
#include "tst_ZelkToolCatalogue.moc"
