#include "../support/CatalogueFiles.h"
#include "../support/RecordingLookupView.h"
#include "../support/ScriptedEditorDialogs.h"

#include "platform/RecordingShellOpener.h"
#include "platform/RecordingTransferSink.h"
#include "windows/frmAbout.h"
#include "windows/frmText.h"
#include "windows/frmZELK.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The menu commands of the real lookup window on a real X server: what they ask of the platform,
// and the stay-on-top state around the modal windows they show.
class frmZELKCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_log;
    RecordingStayOnTop m_stayOnTop{m_log};
    RecordingShellOpener m_shellOpener;
    RecordingTransferSink m_transferSink;
    ScriptedEditorDialogs m_editorDialogs;
    std::unique_ptr<frmZELK> m_window;

    QString catalogue() const { return m_dir.filePath(QStringLiteral("JISTEELW.CSV")); }

    // Runs `whileOpen` on the modal window of type T once it is shown, then lets it close.
    template <typename T> void whenModalOpens(std::function<void(T*)> whileOpen) {
        QTimer::singleShot(0, this, [this, whileOpen] {
            T* modal = nullptr;
            QTRY_VERIFY((modal = qobject_cast<T*>(QApplication::activeModalWidget())));
            whileOpen(modal);
        });
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeCatalogueFile(catalogue(), threeGroupCatalogue()));
        m_window = std::make_unique<frmZELK>(m_stayOnTop, m_transferSink, m_shellOpener, m_editorDialogs);
        QCOMPARE(m_window->logic().Form_Load(catalogue()), LookupWindowLogic::StartOutcome::Shown);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void help_asksForThePageBesideTheProgram() {
        m_window->menuItem(LookupMenuItem::mnuhelp)->trigger();
        QCOMPARE(m_shellOpener.requests.size(), 1);
        const RecordingShellOpener::Request request = m_shellOpener.requests.first();
        QCOMPARE(request.path, QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                        QStringLiteral("/zelkhelp/default.htm")));
        QVERIFY2(QFile::exists(request.path), qPrintable(request.path));
        QCOMPARE(request.workingDirectory, QDir::currentPath());
        QCOMPARE(request.owner, m_window->winId());
        QCOMPARE(m_window->logic().TopMost(), true);
    }

    void about_isModalWithTheWindowNotAbove() {
        bool aboveWhileOpen = true;
        whenModalOpens<frmAbout>([&](frmAbout* about) {
            aboveWhileOpen = m_window->logic().TopMost();
            about->close();
        });
        m_window->menuItem(LookupMenuItem::mnuver)->trigger();
        QCOMPARE(aboveWhileOpen, false);
        QCOMPARE(m_window->logic().TopMost(), true);
    }

    void dataEdit_savedUnderANewNameReloadsThatFile() {
        const QString other = m_dir.filePath(QStringLiteral("copy/steel.csv"));
        QVERIFY(QDir().mkpath(QFileInfo(other).absolutePath()));
        m_editorDialogs.saveAnswers = {true};
        m_editorDialogs.fileAnswers = {other};
        bool aboveWhileOpen = true;
        whenModalOpens<frmText>([&](frmText* editor) {
            aboveWhileOpen = m_window->logic().TopMost();
            QString text = editor->rtf1->toPlainText();
            text.replace(QStringLiteral("鋼板,2,5"), QStringLiteral("厚板,2,5"));
            editor->rtf1->setPlainText(text);
            editor->close();
        });
        m_window->menuItem(LookupMenuItem::mnuedit)->trigger();
        QCOMPARE(aboveWhileOpen, false);
        QCOMPARE(m_window->logic().DataFileName, other);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ZELK_Win [ steel.csv ]"));
        auto* cmbmem = m_window->findChild<QComboBox*>(QStringLiteral("cmbmem"));
        QCOMPARE(cmbmem->itemText(2), QStringLiteral("厚板"));
        QCOMPARE(m_window->logic().TopMost(), true);
    }
};

QTEST_MAIN(frmZELKCommandsTest)
#include "frmZELKCommandsTest.moc"
