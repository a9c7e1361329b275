#include "windows/SaveQuestionBox.h"

#include <QPushButton>
#include <QTest>

class TestSaveQuestionBox : public QObject {
    Q_OBJECT

private slots:
    void design();
    void onlyTheButtonsAnswer_data();
    void onlyTheButtonsAnswer();
};

void TestSaveQuestionBox::design() {
    SaveQuestionBox box;
    QCOMPARE(box.windowTitle(), u"編集終了"_qs);
    QCOMPARE(box.text(), u"データは変更されています。保存しますか。"_qs);
    QCOMPARE(box.icon(), QMessageBox::NoIcon);
    QCOMPARE(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton(), box.button(QMessageBox::Yes));
    QCOMPARE(box.button(QMessageBox::Yes)->text(), u"はい(&Y)"_qs);
    QCOMPARE(box.button(QMessageBox::No)->text(), u"いいえ(&N)"_qs);
    QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
}

void TestSaveQuestionBox::onlyTheButtonsAnswer_data() {
    QTest::addColumn<QString>("attempt");
    QTest::newRow("Esc") << u"esc"_qs;
    QTest::newRow("close request") << u"close"_qs;
}

void TestSaveQuestionBox::onlyTheButtonsAnswer() {
    QFETCH(QString, attempt);
    SaveQuestionBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    if (attempt == u"esc")
        QTest::keyClick(&box, Qt::Key_Escape);
    else
        QVERIFY(!box.close());
    QVERIFY(box.isVisible());
    QCOMPARE(box.clickedButton(), nullptr);

    // Enter presses the default button, Yes.
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.clickedButton(), box.button(QMessageBox::Yes));
    QCOMPARE(box.result(), int(QMessageBox::Yes));
}

QTEST_MAIN(TestSaveQuestionBox)
#include "test_SaveQuestionBox.moc"
