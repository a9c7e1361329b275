#include "lookup/FileNameOf.h"

#include <QTest>

class tst_FileNameOf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileName_data();
    void fileName();
};

void tst_FileNameOf::fileName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("bare name") << QString("JISTEELW.CSV") << QString("JISTEELW.CSV");
    QTest::newRow("Windows path") << QString("D:\\data\\JISTEELW.CSV") << QString("JISTEELW.CSV");
    QTest::newRow("ends in a backslash") << QString("D:\\data\\") << QString();
    QTest::newRow("ends in a slash") << QString("/home/user/") << QString();
    QTest::newRow("Linux path") << QString("/home/user/steel.csv") << QString("steel.csv");
    QTest::newRow("mixed, backslash last") << QString("D:/data\\x.csv") << QString("x.csv");
    QTest::newRow("mixed, slash last") << QString("D:\\data/x.csv") << QString("x.csv");
    QTest::newRow("colon does not separate") << QString("D:x.csv") << QString("D:x.csv");
    QTest::newRow("blanks kept") << QString(" a\\ b.csv ") << QString(" b.csv ");
    QTest::newRow("empty") << QString() << QString();
}

void tst_FileNameOf::fileName() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    const QString before = path;
    QCOMPARE(FileNameOf(path), name);
    QCOMPARE(path, before);
}

QTEST_APPLESS_MAIN(tst_FileNameOf)
#include "tst_FileNameOf.moc"
