#include "CatalogueFile.h"
#include "catalogue/LoadCatalogue.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kEightSpaces = QStringLiteral("        ");

QStringList workedExample() {
    return {"W>{right}",
            "W=d1*e1",
            "A>{right}",
            "A=",
            "1>{down}{left 6}",
            "2>{down}{left 5}",
            "3>",
            "2,Unit weight,Paint area",
            "1,kg/m,m2/t",
            "2,kg/m2,m2/t",
            "H-SECTION,1,2",
            "H-100x50x5x7,,9.30,41.94",
            "H-100x100x6x8,,17.2,34.19",
            "/*",
            "PLATE,2,5",
            "PL-6,,47.1,42.46",
            "/*"};
}

// n groups of one member each, after the standard header.
QStringList groups(int n) {
    QStringList lines = CatalogueFile::standardHeader();
    for (int g = 1; g <= n; ++g)
        lines << QStringLiteral("G%1,1,2").arg(g) << QStringLiteral("M%1,,1,2").arg(g) << QString("/*");
    return lines;
}

QStringList problemTexts(const LoadResult& result) {
    QStringList texts;
    for (const LoadProblem& problem : result.problems)
        texts << ProblemLineText(problem);
    return texts;
}

} // namespace

class tst_LoadCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void workedExample_isReadWhole();
    void headerValues_data();
    void headerValues();
    void tagMismatch_data();
    void tagMismatch();
    void unitKinds_data();
    void unitKinds();
    void groupCapacity_data();
    void groupCapacity();
    void membersPastCapacityShareTheLastSlot();
    void fieldsAreTrimmedAndQuoted();
    void reloadRebuildsTheTables();
    void missingFile_keepsHeaderSettings();
    void folderIsUnreadable();
    void damagedFiles_data();
    void damagedFiles();
    void lineEndsAndEncodings();
    void problemsMessage_listsAFewThenCounts();

private:
    LoadResult load(const QStringList& lines);
    LoadResult loadBytes(const QByteArray& bytes);

    QTemporaryDir m_dir;
    QString m_path;
    Catalogue m_catalogue;
};

void tst_LoadCatalogue::init() {
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("JISTEELW.CSV"));
    m_catalogue = Catalogue();
}

LoadResult tst_LoadCatalogue::loadBytes(const QByteArray& bytes) {
    if (!CatalogueFile::write(m_path, bytes))
        qFatal("cannot write the test catalogue");
    return LoadCatalogue(m_catalogue, m_path);
}

LoadResult tst_LoadCatalogue::load(const QStringList& lines) {
    return loadBytes(CatalogueFile::lines(lines));
}

void tst_LoadCatalogue::workedExample_isReadWhole() {
    const LoadResult result = load(workedExample());
    const Catalogue& c = m_catalogue;
    QCOMPARE(result.status, LoadResult::Status::Loaded);
    QVERIFY(!result.FileMissing());
    QCOMPARE(problemTexts(result), QStringList());

    QCOMPARE(c.WeightKeys, "{RIGHT}");
    QCOMPARE(c.WeightFormula, "=D1*E1");
    QCOMPARE(c.AreaFormula, "=/");
    QCOMPARE(c.Kind1Keys, "{DOWN}{LEFT 6}");
    QCOMPARE(c.Kind3Keys, "");
    QCOMPARE(c.WeightTitle, "Unit weight");
    QCOMPARE(c.PaintTitle, "Paint area");
    QCOMPARE(c.UnitKindCount, 2);
    QCOMPARE(c.UnitWeightLabel[2], "kg/m2");
    QCOMPARE(c.UnitPaintLabel[1], "m2/t");

    QCOMPARE(c.GroupCount, 2);
    QCOMPARE(c.MaxMembersPerGroup, 200);
    QCOMPARE(c.GroupName[1], "H-SECTION");
    QCOMPARE(c.GroupKind[2], 2);
    QCOMPARE(c.GroupShape[2], 5);
    QCOMPARE(c.GroupMemberCount[1], 2);
    QCOMPARE(c.MemberName[1][2], "H-100x100x6x8");
    QCOMPARE(c.MemberWeight[1][1], 9.3);
    QCOMPARE(c.MemberPaintCoef[2][1], 42.46);
    // Unused member slots of a read group: eight blanks in the names, empty elsewhere.
    for (int slot = 3; slot <= 200; ++slot)
        QCOMPARE(c.MemberName[1][slot], kEightSpaces);
    QCOMPARE(c.MemberName[2][2], kEightSpaces);
    QCOMPARE(c.MemberRemark[1][3], QString());
    QCOMPARE(c.MemberWeight[1][200], 0.0);
    // Groups beyond the count are empty in every table, names included.
    QCOMPARE(c.GroupName[3], QString());
    QCOMPARE(c.MemberName[3][1], QString());
    QCOMPARE(c.MemberName[0][1], QString());
}

void tst_LoadCatalogue::headerValues_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    QTest::newRow("trimmed and upper-cased, commas and quotes kept")
        << 1 << QString("W>  {right}, \"q\"x  ") << QString("{RIGHT}, \"Q\"X");
    QTest::newRow("weight formula gets its =") << 2 << QString("W= d1*e1 ") << QString("=D1*E1");
    QTest::newRow("bare weight formula tag") << 2 << QString("W=") << QString("=");
    QTest::newRow("bare area formula tag is the marker") << 4 << QString("A=") << QString("=/");
    QTest::newRow("area formula tag and a blank is no marker") << 4 << QString("A= ") << QString("=");
    QTest::newRow("a slash is the marker too") << 4 << QString("A=/") << QString("=/");
    QTest::newRow("area formula") << 4 << QString("A=sum(a1:b1)") << QString("=SUM(A1:B1)");
    QTest::newRow("only spaces are trimmed") << 7 << QString("3>\t{tab} ") << QString("\t{TAB}");
    QTest::newRow("full-width letters upper-cased") << 5 << QString("1>ａｂ") << QString("ＡＢ");
}

void tst_LoadCatalogue::headerValues() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QStringList lines = workedExample();
    lines[line - 1] = text;
    QCOMPARE(load(lines).status, LoadResult::Status::Loaded);
    const QString Catalogue::*settings[] = {
        &Catalogue::WeightKeys, &Catalogue::WeightFormula, &Catalogue::AreaKeys, &Catalogue::AreaFormula,
        &Catalogue::Kind1Keys,  &Catalogue::Kind2Keys,     &Catalogue::Kind3Keys};
    QCOMPARE(m_catalogue.*settings[line - 1], stored);
}

void tst_LoadCatalogue::tagMismatch_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("1 lower case") << 1 << QString("w>{right}") << QString("error in Line(W>)");
    QTest::newRow("2") << 2 << QString("W>d1") << QString("error in Line(W=)");
    QTest::newRow("3") << 3 << QString("A={right}") << QString("error in Line(A>)");
    QTest::newRow("4") << 4 << QString("a=") << QString("error in Line(A=)");
    QTest::newRow("5") << 5 << QString("2>{down}") << QString("error in Line(1>)");
    QTest::newRow("6 blank line") << 6 << QString("") << QString("error in Line(2>)");
    QTest::newRow("7 leading blank") << 7 << QString(" 3>") << QString("error in Line(3>)");
}

void tst_LoadCatalogue::tagMismatch() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QString, message);
    m_catalogue.Kind3Keys = QStringLiteral("BEFORE");
    QStringList lines = workedExample();
    lines[line - 1] = text;
    const LoadResult result = load(lines);
    QCOMPARE(result.status, LoadResult::Status::TagMismatch);
    QCOMPARE(result.message, message);
    // Each line's value is stored before its tag is checked; later lines are never read.
    if (line > 1)
        QCOMPARE(m_catalogue.WeightKeys, "{RIGHT}");
    if (line < 7)
        QCOMPARE(m_catalogue.Kind3Keys, "BEFORE");
    else
        QCOMPARE(m_catalogue.Kind3Keys, ">"); // " 3>": the value text starts at the third character
}

void tst_LoadCatalogue::unitKinds_data() {
    QTest::addColumn<QStringList>("unitLines");
    QTest::addColumn<int>("unitKindCount");
    QTest::addColumn<int>("labelled");
    QTest::addColumn<int>("problems");

    QTest::newRow("numbered 1 2 3") << QStringList{"3,a,b", "1,k1,p1", "2,k2,p2", "3,k3,p3"} << 3 << 3 << 0;
    QTest::newRow("last says 7") << QStringList{"3,a,b", "1,k1,p1", "2,k2,p2", "7,k3,p3"} << 7 << 3 << 0;
    QTest::newRow("last says 60") << QStringList{"3,a,b", "1,k1,p1", "2,k2,p2", "60,k3,p3"} << 50 << 3 << 0;
    QTest::newRow("count 0") << QStringList{"0,a,b"} << 0 << 0 << 0;
    QTest::newRow("count -1") << QStringList{"-1,a,b"} << 0 << 0 << 0;
    QStringList many{"55,a,b"};
    for (int k = 1; k <= 55; ++k)
        many << QStringLiteral("%1,k%1,p%1").arg(k);
    QTest::newRow("more than 50 lines") << many << 50 << 50 << 1;
}

void tst_LoadCatalogue::unitKinds() {
    QFETCH(QStringList, unitLines);
    QFETCH(int, unitKindCount);
    QFETCH(int, labelled);
    QFETCH(int, problems);
    QStringList lines = workedExample().mid(0, 7) + unitLines;
    lines << QString("G,1,2") << QString("M,,1,2") << QString("/*");
    const LoadResult result = load(lines);
    QCOMPARE(result.status, LoadResult::Status::Loaded);
    QCOMPARE(int(result.problems.size()), problems);
    QCOMPARE(m_catalogue.UnitKindCount, unitKindCount);
    QCOMPARE(result.unitLinesStored, labelled);
    for (int k = 1; k <= 50; ++k)
        QCOMPARE(m_catalogue.UnitWeightLabel[k], k <= labelled ? QStringLiteral("k%1").arg(k) : QString());
    QCOMPARE(m_catalogue.UnitWeightLabel.size(), std::size_t(51));
    // The groups after the unit-kind lines are read in step.
    QCOMPARE(m_catalogue.GroupCount, 1);
    QCOMPARE(m_catalogue.MemberName[1][1], "M");
}

void tst_LoadCatalogue::groupCapacity_data() {
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("groupCount");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("exactly 100") << 100 << 100;
    QTest::newRow("101, the last never read") << 101 << 100;
}

void tst_LoadCatalogue::groupCapacity() {
    QFETCH(int, blocks);
    QFETCH(int, groupCount);
    const LoadResult result = load(groups(blocks));
    QCOMPARE(result.status, LoadResult::Status::Loaded);
    QVERIFY(result.problems.empty());
    QCOMPARE(m_catalogue.GroupCount, groupCount);
    if (groupCount > 0)
        QCOMPARE(m_catalogue.MemberName[groupCount][1], QStringLiteral("M%1").arg(groupCount));
    QCOMPARE(m_catalogue.GroupName.size(), std::size_t(101));
}

void tst_LoadCatalogue::membersPastCapacityShareTheLastSlot() {
    QStringList lines = CatalogueFile::standardHeader();
    lines << QString("BIG,1,2");
    for (int m = 1; m <= 201; ++m)
        lines << QStringLiteral("M%1,R%1,%1,%2").arg(m).arg(m * 2);
    lines << QString("/*") << QString("NEXT,2,5") << QString("PL-9,,70.65,28.31") << QString("/*");
    QCOMPARE(load(lines).status, LoadResult::Status::Loaded);
    const Catalogue& c = m_catalogue;
    QCOMPARE(c.GroupMemberCount[1], 200);
    QCOMPARE(c.MemberName[1][199], "M199");
    QCOMPARE(c.MemberName[1][200], "M201");
    QCOMPARE(c.MemberRemark[1][200], "R201");
    QCOMPARE(c.MemberWeight[1][200], 201.0);
    QCOMPARE(c.MemberPaintCoef[1][200], 402.0);
    QCOMPARE(c.GroupCount, 2);
    QCOMPARE(c.MemberName[2][1], "PL-9");
}

void tst_LoadCatalogue::fieldsAreTrimmedAndQuoted() {
    QStringList lines = CatalogueFile::standardHeader();
    lines << QString("\"H形鋼, 広幅\",1,2") << QString("\"  H-100x100x6x8  \",\" ソ 表 \",17.2,34.19")
          << QString("\" /*\",,1,2") << QString("EMPTY,,1") << QString("/*") << QString("\"/*\"")
          << QString("AFTER,3,2") << QString("/*");
    const LoadResult result = load(lines);
    QCOMPARE(result.status, LoadResult::Status::Loaded);
    const Catalogue& c = m_catalogue;
    QCOMPARE(c.GroupName[1], QStringLiteral("H形鋼, 広幅"));
    QCOMPARE(c.MemberName[1][1], "H-100x100x6x8");
    QCOMPARE(c.MemberRemark[1][1], QStringLiteral("ソ 表"));
    // A record may run over lines: "EMPTY,,1" takes its coefficient from the next field, "/*".
    // Only a field that is exactly "/*" ends the group: " /*" is a member, stored trimmed.
    QCOMPARE(c.MemberName[1][2], "/*");
    QCOMPARE(c.MemberName[1][3], "EMPTY");
    QCOMPARE(c.MemberPaintCoef[1][3], 0.0);
    QCOMPARE(c.GroupMemberCount[1], 3);
}

void tst_LoadCatalogue::reloadRebuildsTheTables() {
    QCOMPARE(load(groups(5)).status, LoadResult::Status::Loaded);
    QCOMPARE(m_catalogue.GroupCount, 5);
    QCOMPARE(load(groups(2)).status, LoadResult::Status::Loaded);
    QCOMPARE(m_catalogue.GroupCount, 2);
    QCOMPARE(m_catalogue.GroupName[3], QString());
    QCOMPARE(m_catalogue.MemberName[5][1], QString());
    QCOMPARE(m_catalogue.GroupMemberCount[4], 0);
}

void tst_LoadCatalogue::missingFile_keepsHeaderSettings() {
    QCOMPARE(load(workedExample()).status, LoadResult::Status::Loaded);
    const QString missing = m_dir.filePath(QStringLiteral("NOFILE.CSV"));
    const LoadResult result = LoadCatalogue(m_catalogue, missing);
    QCOMPARE(result.status, LoadResult::Status::Missing);
    QVERIFY(result.FileMissing());
    QCOMPARE(result.message,
             QStringLiteral("鋼材データファイル") + missing + QStringLiteral("が見つかりません。"));
    QCOMPARE(m_catalogue.GroupCount, 100);
    QCOMPARE(m_catalogue.UnitKindCount, 50);
    for (int g = 0; g <= 100; ++g)
        QCOMPARE(m_catalogue.GroupName[g], QString());
    QCOMPARE(m_catalogue.MemberName[1][1], QString());
    QCOMPARE(m_catalogue.UnitWeightLabel[1], QString());
    QCOMPARE(m_catalogue.WeightKeys, "{RIGHT}");
    QCOMPARE(m_catalogue.WeightTitle, "Unit weight");
}

void tst_LoadCatalogue::folderIsUnreadable() {
    const LoadResult result = LoadCatalogue(m_catalogue, m_dir.path());
    QCOMPARE(result.status, LoadResult::Status::Unreadable);
    QVERIFY(result.FileMissing());
    QVERIFY(result.message.contains(m_dir.path()));
    QVERIFY(result.message.size() > m_dir.path().size() + QStringLiteral("鋼材データファイル").size() + 8);
    QCOMPARE(m_catalogue.GroupCount, 100);
}

void tst_LoadCatalogue::damagedFiles_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("tail"); // raw bytes after the lines
    QTest::addColumn<int>("groupCount");
    QTest::addColumn<int>("unitKindCount");
    QTest::addColumn<QList<int>>("memberCounts");
    QTest::addColumn<QList<qint64>>("problemLines");

    const QStringList header = CatalogueFile::standardHeader(); // 10 lines
    const QStringList one = header + QStringList{"A,1,2", "a1,,1,2", "a2,,3,4", "/*"};

    // A missing header line is named by its own number: an empty file has no line 0.
    QTest::newRow("empty file") << QStringList() << QByteArray() << 0 << 0 << QList<int>()
                                << QList<qint64>{1};
    QTest::newRow("inside the header")
        << header.mid(0, 3) << QByteArray() << 0 << 0 << QList<int>() << QList<qint64>{4};
    QTest::newRow("inside the count line")
        << header.mid(0, 7) << QByteArray("2,title") << 0 << 0 << QList<int>() << QList<qint64>{8};
    QTest::newRow("unit lines run out")
        << header.mid(0, 9) << QByteArray() << 0 << 1 << QList<int>() << QList<qint64>{9};
    QTest::newRow("inside a group header")
        << one << QByteArray("B,1") << 1 << 2 << QList<int>{2} << QList<qint64>{15};
    QTest::newRow("inside a member") << one + QStringList{"B,1,2", "b1,,5,6"} << QByteArray("b2,\"cut") << 2
                                     << 2 << QList<int>{2, 1} << QList<qint64>{17, 17};
    QTest::newRow("before the terminator") << one + QStringList{"B,1,2", "b1,,5,6"} << QByteArray() << 2 << 2
                                           << QList<int>{2, 1} << QList<qint64>{16};
    QTest::newRow("blank lines between and after groups")
        << header + QStringList{"A,1,2", "", "a1,,1,2", "/*", "  ", "B,2,5", "b1,,1,2", "/*", ""}
        << QByteArray() << 2 << 2 << QList<int>{1, 1} << QList<qint64>{12, 15, 19};
    QTest::newRow("text after the last terminator")
        << one << QByteArray("junk\r\n") << 1 << 2 << QList<int>{2} << QList<qint64>{15};
    QTest::newRow("a numeric field holding no number")
        << header + QStringList{"A,x,2", "a1,,1.2.3,2", "/*"} << QByteArray() << 1 << 2 << QList<int>{1}
        << QList<qint64>{11, 12};
}

void tst_LoadCatalogue::damagedFiles() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, tail);
    QFETCH(int, groupCount);
    QFETCH(int, unitKindCount);
    QFETCH(QList<int>, memberCounts);
    QFETCH(QList<qint64>, problemLines);

    const LoadResult result = loadBytes(CatalogueFile::lines(lines) + tail);
    QCOMPARE(result.status, LoadResult::Status::Loaded);
    const Catalogue& c = m_catalogue;
    QCOMPARE(c.GroupCount, groupCount);
    QCOMPARE(c.UnitKindCount, unitKindCount);
    for (int g = 1; g <= groupCount; ++g) {
        QCOMPARE(c.GroupMemberCount[g], memberCounts[g - 1]);
        const int m = c.GroupMemberCount[g];
        QVERIFY(!c.MemberName[g][m].isEmpty() || m == 0);
        QCOMPARE(c.MemberName[g][m + 1], kEightSpaces);
    }
    // Nothing of a group that was cut inside its header or not counted stays in the tables.
    QCOMPARE(c.GroupName[groupCount + 1], QString());
    QCOMPARE(c.MemberName[groupCount + 1][1], QString());
    QList<qint64> reported;
    for (const LoadProblem& problem : result.problems)
        reported << problem.line;
    QCOMPARE(reported, problemLines);
}

void tst_LoadCatalogue::lineEndsAndEncodings() {
    QStringList lines = CatalogueFile::standardHeader();
    lines << QStringLiteral("Ｈ形鋼,1,2") << QStringLiteral("H-100x50x5x7,細幅,9.30,41.94") << QString("/*");
    const QString expectedLabel = QStringLiteral("細幅");

    const QByteArray crlf = CatalogueFile::lines(lines);
    QByteArray lfOnly = crlf;
    lfOnly.replace("\r\n", "\n");
    const QByteArray utf8 = "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";

    for (const QByteArray& bytes : {crlf, lfOnly, utf8}) {
        const LoadResult result = loadBytes(bytes);
        QCOMPARE(result.status, LoadResult::Status::Loaded);
        QVERIFY(result.problems.empty());
        QCOMPARE(m_catalogue.GroupName[1], QStringLiteral("Ｈ形鋼"));
        QCOMPARE(m_catalogue.MemberRemark[1][1], expectedLabel);
        QCOMPARE(m_catalogue.WeightTitle, QStringLiteral("単位重量"));
    }
    // The same UTF-8 bytes without the mark are read as code page 932: not the same text.
    const LoadResult noMark = loadBytes(utf8.mid(3));
    QCOMPARE(noMark.status, LoadResult::Status::Loaded);
    QVERIFY(m_catalogue.GroupName[1] != QStringLiteral("Ｈ形鋼"));
}

void tst_LoadCatalogue::problemsMessage_listsAFewThenCounts() {
    QStringList lines = CatalogueFile::standardHeader();
    lines << QString("A,1,2");
    for (int i = 0; i < 7; ++i)
        lines << QString("m,,x,1");
    lines << QString("/*");
    const LoadResult result = load(lines);
    QCOMPARE(result.problems.size(), std::size_t(7));
    const QString message = ProblemsMessage(m_path, result.problems);
    QVERIFY(message.startsWith(QStringLiteral("鋼材データファイル") + m_path));
    QVERIFY(message.contains(QStringLiteral("12行目: ")));
    QVERIFY(message.contains(QStringLiteral("16行目: ")));
    QVERIFY(!message.contains(QStringLiteral("17行目")));
    QVERIFY(message.endsWith(QStringLiteral("ほか 2 件")));
    QCOMPARE(ProblemsMessage(m_path, {}), QString());
}

QTEST_GUILESS_MAIN(tst_LoadCatalogue)
#include "tst_LoadCatalogue.moc"
