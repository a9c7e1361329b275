#include "../support/ScriptedEditorDialogs.h"
#include "windows/frmText.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Written with LF and no last line end on purpose: any save, even of the same text, changes the
// bytes (CR LF, a last line end), so an unwanted write cannot go unseen.
const char16_t kOriginal[] = u"W>{right}\n鋼材,1,2";
const char16_t kEdited[] = u"XW>{right}\r\n鋼材,1,2\r\n";
const char kCatalogueName[] = "JISTEELW.CSV";

QByteArray cp932(const QString& text) {
    QStringEncoder encoder(kCp932Name);
    return encoder.encode(text);
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestFrmText : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadIsNoChange();
    void anyEditCounts_data();
    void anyEditCounts();
    void editBoxFillsWindow();
    void centredOnOwner();
    void closeAnswers_data();
    void closeAnswers();
    void nextCloseAfterCancelAsksAgain();
    void escapeDoesNotClose();
    void unreadableFileOpensDesignContent_data();
    void unreadableFileOpensDesignContent();
    void markedUtf8StaysUtf8();
    void pastedFormattingIsDropped();

private:
    // Placeholders in the table of answers: <catalogue>, <other>, <existing>, <unwritable>.
    QString resolve(QString text) const;
    QStringList resolve(const QStringList& texts) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    QString m_catalogue;
};

void TestFrmText::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The catalogue is named relative to the current directory, as the lookup window starts with it.
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_catalogue = m_dir->filePath(QString::fromLatin1(kCatalogueName));
    writeBytes(m_catalogue, cp932(QString::fromUtf16(kOriginal)));
    writeBytes(m_dir->filePath(QStringLiteral("existing.csv")), "keep\r\n");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("other")));
}

void TestFrmText::cleanup() {
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

QString TestFrmText::resolve(QString text) const {
    text.replace(QStringLiteral("<catalogue>"), m_catalogue);
    text.replace(QStringLiteral("<other>"), m_dir->filePath(QStringLiteral("other/new.csv")));
    text.replace(QStringLiteral("<existing>"), m_dir->filePath(QStringLiteral("existing.csv")));
    text.replace(QStringLiteral("<unwritable>"), m_dir->filePath(QStringLiteral("no-such-folder/x.csv")));
    return text;
}

QStringList TestFrmText::resolve(const QStringList& texts) const {
    QStringList resolved;
    for (const QString& text : texts)
        resolved << resolve(text);
    return resolved;
}

void TestFrmText::loadIsNoChange() {
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    QCOMPARE(editor.objectName(), u"frmText"_qs);
    QCOMPARE(editor.windowTitle(), u"Text Screen"_qs);
    QCOMPARE(editor.rtf1->objectName(), u"rtf1"_qs);
    QCOMPARE(editor.rtf1->toPlainText(), u"W>{right}\n鋼材,1,2\n"_qs);
    QVERIFY(editor.LoadDone());
    QVERIFY(!editor.TextChanged());
    editor.show();
    editor.resize(500, 400);
    QVERIFY(!editor.TextChanged());
    QVERIFY(dialogs.asked.isEmpty());
    QVERIFY(editor.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(editor.windowFlags() & Qt::WindowMaximizeButtonHint);
}

void TestFrmText::anyEditCounts_data() {
    QTest::addColumn<QString>("edit");
    QTest::newRow("typed") << u"type"_qs;
    QTest::newRow("typed and undone") << u"undo"_qs;
    QTest::newRow("deleted") << u"delete"_qs;
}

void TestFrmText::anyEditCounts() {
    QFETCH(QString, edit);
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    const QString loaded = editor.rtf1->toPlainText();
    if (edit == u"delete") {
        QTest::keyClick(editor.rtf1, Qt::Key_Delete);
    } else {
        QTest::keyClicks(editor.rtf1, u"X"_qs);
        if (edit == u"undo")
            editor.rtf1->undo();
    }
    QVERIFY(editor.TextChanged());
    QCOMPARE(editor.rtf1->toPlainText() == loaded, edit == u"undo");
}

void TestFrmText::editBoxFillsWindow() {
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    for (const QSize size : {QSize(500, 300), QSize(120, 640), editor.size() * 2}) {
        editor.resize(size);
        QCOMPARE(editor.rtf1->geometry(), editor.rect());
    }
}

void TestFrmText::centredOnOwner() {
    QWidget owner;
    owner.setGeometry(200, 150, 400, 300);
    owner.show();
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs, &owner);
    editor.show();
    QCOMPARE(editor.geometry().center(), owner.geometry().center());
}

void TestFrmText::closeAnswers_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QList<bool>>("saveAnswers");
    QTest::addColumn<QStringList>("fileAnswers"); // "" for Cancel
    QTest::addColumn<QList<bool>>("overwriteAnswers");
    QTest::addColumn<QStringList>("asked"); // each the beginning of what was asked
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("dataFileName");
    QTest::addColumn<QString>("editedFile"); // the file that now holds the edited text, or ""

    const QString catalogue = QString::fromLatin1(kCatalogueName);
    const QString question = u"question"_qs;
    const QString proposed = u"save-as "_qs + catalogue;

    QTest::newRow("no change") << u""_qs << QList<bool>{} << QStringList{} << QList<bool>{} << QStringList{}
                               << true << catalogue << u""_qs;
    QTest::newRow("change, No") << u"X"_qs << QList<bool>{false} << QStringList{} << QList<bool>{}
                                << QStringList{question} << true << catalogue << u""_qs;
    QTest::newRow("Yes, proposed name")
        << u"X"_qs << QList<bool>{true} << QStringList{u"<catalogue>"_qs} << QList<bool>{}
        << QStringList{question, proposed} << true << catalogue << u"<catalogue>"_qs;
    QTest::newRow("Yes, another folder")
        << u"X"_qs << QList<bool>{true} << QStringList{u"<other>"_qs} << QList<bool>{}
        << QStringList{question, proposed} << true << u"<other>"_qs << u"<other>"_qs;
    QTest::newRow("Yes, Cancel") << u"X"_qs << QList<bool>{true} << QStringList{u""_qs} << QList<bool>{}
                                 << QStringList{question, proposed} << false << catalogue << u""_qs;
    QTest::newRow("existing file, not replaced")
        << u"X"_qs << QList<bool>{true} << QStringList{u"<existing>"_qs, u""_qs} << QList<bool>{false}
        << QStringList{question, proposed, u"overwrite <existing> "_qs, u"save-as <existing>"_qs} << false
        << catalogue << u""_qs;
    QTest::newRow("existing file, replaced")
        << u"X"_qs << QList<bool>{true} << QStringList{u"<existing>"_qs} << QList<bool>{true}
        << QStringList{question, proposed, u"overwrite <existing> "_qs} << true << u"<existing>"_qs
        << u"<existing>"_qs;
    QTest::newRow("write fails") << u"X"_qs << QList<bool>{true} << QStringList{u"<unwritable>"_qs}
                                 << QList<bool>{}
                                 << QStringList{question, proposed,
                                                u"error データファイルを保存できません。\n<unwritable>\n"_qs}
                                 << false << catalogue << u""_qs;
    QTest::newRow("character outside cp932")
        << u"©"_qs << QList<bool>{true} << QStringList{} << QList<bool>{}
        << QStringList{question, u"error 1行目の文字「©」(U+00A9)"_qs} << false << catalogue << u""_qs;
}

void TestFrmText::closeAnswers() {
    QFETCH(QString, edit);
    QFETCH(QList<bool>, saveAnswers);
    QFETCH(QStringList, fileAnswers);
    QFETCH(QList<bool>, overwriteAnswers);
    QFETCH(QStringList, asked);
    QFETCH(bool, closed);
    QFETCH(QString, dataFileName);
    QFETCH(QString, editedFile);

    ScriptedEditorDialogs dialogs;
    dialogs.saveAnswers = saveAnswers;
    for (const QString& answer : fileAnswers)
        dialogs.fileAnswers << (answer.isEmpty() ? std::nullopt : std::optional<QString>(resolve(answer)));
    dialogs.overwriteAnswers = overwriteAnswers;

    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    QTest::keyClicks(editor.rtf1, edit);
    const QString text = editor.rtf1->toPlainText();
    QCOMPARE(editor.close(), closed);

    QCOMPARE(editor.isVisible(), !closed);
    QCOMPARE(dialogs.asked.size(), asked.size());
    const QStringList expected = resolve(asked);
    for (qsizetype i = 0; i < asked.size(); ++i)
        QVERIFY2(dialogs.asked[i].startsWith(expected[i]), qPrintable(dialogs.asked[i]));
    QCOMPARE(editor.dataFileName(), resolve(dataFileName));
    if (!closed)
        QCOMPARE(editor.rtf1->toPlainText(), text);

    // Exactly the edited file holds the edited text; every other file is as it was.
    const QByteArray edited = cp932(QString::fromUtf16(kEdited));
    const QString editedPath = resolve(editedFile);
    QCOMPARE(readBytes(m_catalogue),
             editedPath == m_catalogue ? edited : cp932(QString::fromUtf16(kOriginal)));
    QCOMPARE(readBytes(resolve(u"<existing>"_qs)),
             editedPath.endsWith(u"existing.csv") ? edited : "keep\r\n");
    QCOMPARE(readBytes(resolve(u"<other>"_qs)), editedPath.endsWith(u"new.csv") ? edited : "<none>");
    QVERIFY(!QFile::exists(resolve(u"<unwritable>"_qs)));
}

void TestFrmText::nextCloseAfterCancelAsksAgain() {
    ScriptedEditorDialogs dialogs;
    dialogs.saveAnswers = {true, true};
    dialogs.fileAnswers = {std::nullopt, m_catalogue};
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    QTest::keyClicks(editor.rtf1, u"X"_qs);
    QVERIFY(!editor.close());
    QVERIFY(editor.close());
    QCOMPARE(dialogs.asked.count(u"question"_qs), 2);
    QCOMPARE(readBytes(m_catalogue), cp932(QString::fromUtf16(kEdited)));
}

void TestFrmText::escapeDoesNotClose() {
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    QTest::keyClicks(editor.rtf1, u"X"_qs);
    QTest::keyClick(editor.rtf1, Qt::Key_Escape);
    QVERIFY(editor.isVisible());
    QVERIFY(dialogs.asked.isEmpty());
}

void TestFrmText::unreadableFileOpensDesignContent_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("removed") << u"gone.csv"_qs;
    QTest::newRow("a folder") << u"other"_qs;
}

void TestFrmText::unreadableFileOpensDesignContent() {
    QFETCH(QString, path);
    ScriptedEditorDialogs dialogs;
    frmText editor(path, dialogs);
    QCOMPARE(dialogs.asked.size(), 1);
    QVERIFY2(dialogs.asked[0].startsWith(u"error データファイルを読み込めません。\n"_qs +
                                         m_dir->filePath(path) + u'\n'),
             qPrintable(dialogs.asked[0]));
    QCOMPARE(editor.rtf1->toPlainText(), u"データファイルなし"_qs);
    QVERIFY(editor.LoadDone());
    QVERIFY(!editor.TextChanged());

    editor.show();
    QVERIFY(editor.close());
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2); // the catalogue and existing.csv
}

void TestFrmText::markedUtf8StaysUtf8() {
    writeBytes(m_catalogue, "\xEF\xBB\xBF" + u"鋼材,©\r\n"_qs.toUtf8());
    ScriptedEditorDialogs dialogs;
    dialogs.saveAnswers = {true};
    dialogs.fileAnswers = {m_catalogue};
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    QTest::keyClicks(editor.rtf1, u"X"_qs);
    QVERIFY(editor.close());
    QCOMPARE(readBytes(m_catalogue), "\xEF\xBB\xBF" + u"X鋼材,©\r\n"_qs.toUtf8());
}

void TestFrmText::pastedFormattingIsDropped() {
    ScriptedEditorDialogs dialogs;
    frmText editor(QString::fromLatin1(kCatalogueName), dialogs);
    editor.show();
    auto* mime = new QMimeData;
    mime->setHtml(u"<b style=\"color:red\">鋼材</b>"_qs);
    mime->setText(u"鋼材"_qs);
    QApplication::clipboard()->setMimeData(mime);
    editor.rtf1->paste();
    QVERIFY(editor.TextChanged());
    QCOMPARE(editor.rtf1->toPlainText(), u"鋼材W>{right}\n鋼材,1,2\n"_qs);
}

QTEST_MAIN(TestFrmText)
#include "test_frmText.moc"
