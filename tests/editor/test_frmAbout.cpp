#include "windows/frmAbout.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

namespace {

// Any recognisable icon does: the real one belongs to the lookup window.
QIcon testIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(2, 2, 12, 4, Qt::red);
    painter.fillRect(18, 18, 4, 12, Qt::cyan);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void frame();
    void labels_data();
    void labels();
    void command1();
    void closingKeys_data();
    void closingKeys();
    void clickOnLabelDoesNothing();
    void centredOnOwner();
};

void TestFrmAbout::frame() {
    frmAbout about(testIcon());
    QCOMPARE(about.objectName(), u"frmAbout"_qs);
    QCOMPARE(about.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_qs);
    QCOMPARE(about.windowTitle().size(), 9);
    QCOMPARE(about.windowType(), Qt::Dialog); // no task-bar entry of its own
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!about.windowIcon().isNull());
    // 3144 x 1716 twips at 96 dots per inch, and not resizable.
    QCOMPARE(about.logicalDpiX(), 96);
    QCOMPARE(about.size(), QSize(210, 114));
    QCOMPARE(about.minimumSize(), about.maximumSize());
}

void TestFrmAbout::labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position"); // pixels at 96 dots per inch
    QTest::addColumn<QString>("family");  // first choice of face, "" for the default font
    QTest::addColumn<QColor>("colour");   // invalid for the default colour

    QTest::newRow("title") << u"lblTitle"_qs << u"ZELK_Win"_qs << QPoint(56, 0) << u"Arial Black"_qs
                           << QColor(0, 0, 192);
    QTest::newRow("description") << u"lblDescription"_qs << u"鋼材重量集計"_qs << QPoint(56, 32)
                                 << u"ＭＳ Ｐ明朝"_qs << QColor(0, 0, 192);
    QTest::newRow("version") << u"lblVersion"_qs << u"Version 1.01"_qs << QPoint(80, 56)
                             << u"ＭＳ Ｐゴシック"_qs << QColor(0, 0, 255);
    QTest::newRow("copyright") << u"Label1"_qs << u""_qs << QPoint(24, 80) << u""_qs << QColor();
    QTest::newRow("copyright, second line") << u"Label2"_qs << u""_qs << QPoint(56, 96) << u""_qs << QColor();
}

void TestFrmAbout::labels() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(QString, family);
    QFETCH(QColor, colour);

    frmAbout about(testIcon());
    about.show();
    auto* label = about.findChild<QLabel*>(name);
    QVERIFY(label);
    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    QVERIFY(!label->text().isEmpty());
    QCOMPARE(label->pos(), position);
    // Auto-sized to its text, which must fit inside the window with the fonts installed here.
    QCOMPARE(label->size(), label->sizeHint());
    QVERIFY2(about.rect().contains(label->geometry()), qPrintable(name));
    if (!family.isEmpty())
        QCOMPARE(label->font().families().value(0), family);
    else
        QCOMPARE(label->font(), about.font());
    const QColor shown = label->palette().color(QPalette::WindowText);
    QCOMPARE(shown, colour.isValid() ? colour : about.palette().color(QPalette::WindowText));
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
}

void TestFrmAbout::command1() {
    frmAbout about(testIcon());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.Command1->objectName(), u"Command1"_qs);
    QCOMPARE(about.Command1->geometry(), QRect(8, 8, 41, 41));
    QVERIFY(about.Command1->text().isEmpty());
    QVERIFY(!about.Command1->icon().isNull());
    QVERIFY(!about.Command1->isDefault());
    QVERIFY(!about.Command1->autoDefault());
    QCOMPARE(QApplication::focusWidget(), about.Command1);

    QTest::mouseClick(about.Command1, Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void TestFrmAbout::closingKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("space presses the button") << int(Qt::Key_Space) << true;
    QTest::newRow("Enter: no default button") << int(Qt::Key_Return) << false;
}

void TestFrmAbout::closingKeys() {
    QFETCH(int, key);
    QFETCH(bool, closes);
    frmAbout about(testIcon());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(about.Command1, Qt::Key(key));
    QCOMPARE(about.isVisible(), !closes);
}

void TestFrmAbout::clickOnLabelDoesNothing() {
    frmAbout about(testIcon());
    about.show();
    QTest::mouseClick(about.lblTitle, Qt::LeftButton);
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(200, 10));
    QVERIFY(about.isVisible());
}

void TestFrmAbout::centredOnOwner() {
    QWidget owner;
    owner.setGeometry(300, 200, 180, 214);
    owner.show();
    frmAbout about(testIcon(), &owner);
    about.show();
    QCOMPARE(about.geometry().center(), owner.geometry().center());
}

QTEST_MAIN(TestFrmAbout)
#include "test_frmAbout.moc"
