#include "../support/CatalogueFiles.h"
#include "../support/RecordingLookupView.h"
#include "../support/ScriptedEditorDialogs.h"

#include "platform/RecordingShellOpener.h"
#include "platform/RecordingTransferSink.h"

#include "windows/Twips.h"
#include "windows/frmZELK.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

struct Item {
    int level;
    QString name;
    QString caption;
    bool checkable;
    bool checked;
};

// Depth-first, in menu-bar and item order; also fails on anything a design item may not have.
void collectMenu(const QList<QAction*>& actions, int level, std::vector<Item>& items) {
    for (QAction* action : actions) {
        QVERIFY2(!action->isSeparator(), "separator in the menu tree");
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
        QVERIFY(action->isEnabled());
        if (QMenu* menu = action->menu()) {
            items.push_back({level, menu->objectName(), menu->title(), false, false});
            collectMenu(menu->actions(), level + 1, items);
        } else {
            items.push_back(
                {level, action->objectName(), action->text(), action->isCheckable(), action->isChecked()});
        }
    }
}

} // namespace

class frmZELKTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_log;
    std::unique_ptr<RecordingStayOnTop> m_stayOnTop;
    RecordingShellOpener m_shellOpener;
    RecordingTransferSink m_transferSink;
    ScriptedEditorDialogs m_editorDialogs;
    std::unique_ptr<frmZELK> m_window;

    frmZELK& window() { return *m_window; }
    template <typename T> T* child(const char* name) const {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no %s", name);
        return widget;
    }
    int px(int twips) const { return twipsToPixels(twips, m_window->logicalDpiY()); }
    int pxX(int twips) const { return twipsToPixels(twips, m_window->logicalDpiX()); }
    QString catalogue() const { return m_dir.filePath(QStringLiteral("JISTEELW.CSV")); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeCatalogueFile(catalogue(), threeGroupCatalogue()));
    }
    void init() {
        m_log.clear();
        m_stayOnTop = std::make_unique<RecordingStayOnTop>(m_log);
        m_window = std::make_unique<frmZELK>(*m_stayOnTop, m_transferSink, m_shellOpener, m_editorDialogs);
    }
    void cleanup() {
        m_window.reset();
        m_stayOnTop.reset();
    }

    void controlsCarryTheDesignNames() {
        QCOMPARE(window().objectName(), QStringLiteral("frmZELK"));
        QCOMPARE(window().windowTitle(), QStringLiteral("ZELK_Win"));
        auto* cmbmem = child<QComboBox>("cmbmem");
        auto* lstnum = child<QListWidget>("lstnum");
        auto* picture = child<QFrame>("Picture1");
        auto* lblW = child<QLabel>("lblW");
        QVERIFY(cmbmem && lstnum && picture && lblW);
        QVERIFY(!cmbmem->isEditable());
        QCOMPARE(cmbmem->count(), 0);
        QCOMPARE(lstnum->count(), 0);
        QCOMPARE(lstnum->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!lstnum->isSortingEnabled());
        QCOMPARE(lblW->parentWidget(), picture);
        QCOMPARE(lblW->text(), QString());
    }

    void tabOrderAsDesigned() {
        window().show();
        QApplication::setActiveWindow(&window());
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        child<QComboBox>("cmbmem")->setFocus();
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order.append(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"cmbmem", "lstnum", "Picture1", "cmbmem"}));
    }

    void menuTreeAsDesigned() {
        std::vector<Item> items;
        collectMenu(window().menuBar()->actions(), 0, items);
        const std::vector<Item> expected = {
            {0, "mnuset", "設定(&S)", false, false},
            {1, "mnuedit", "データ編集(&E)", false, false},
            {1, "mnuptarea", "塗装面積係数作成(&T)", false, false},
            {1, "mnuexcel", "エクセル連動する(&E)", true, true},
            {1, "mnucopy", "貼付内容(&C)", false, false},
            {2, "mnuT", "表形式(&T)", true, false},
            {2, "mnuW", "単位重量のみ(&W)", true, false},
            {2, "mnuP", "塗装面積係数のみ(&P)", true, false},
            {0, "mnuh", "ヘルプ(&H)", false, false},
            {1, "mnuhelp", "ヘルプ(&I)", false, false},
            {1, "mnuver", "バージョン情報(&A)", false, false},
        };
        QCOMPARE(items.size(), expected.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i].level, expected[i].level);
            QCOMPARE(items[i].name, expected[i].name);
            QCOMPARE(items[i].caption, expected[i].caption);
            QCOMPARE(items[i].checkable, expected[i].checkable);
            QCOMPARE(items[i].checked, expected[i].checked);
        }
    }

    void frameHasMinimizeButNoMaximize() {
        const Qt::WindowFlags flags = window().windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window().windowIcon().isNull());
        QVERIFY(window().windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void designPlacesAndSizes() {
        QCOMPARE(child<QComboBox>("cmbmem")->geometry(), QRect(0, 0, pxX(2172), px(276)));
        QCOMPARE(child<QListWidget>("lstnum")->geometry(), QRect(0, px(280), pxX(2172), px(2388)));
        QCOMPARE(child<QLabel>("lblW")->pos(), QPoint(pxX(120), 0));

        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QWidget* client = window().centralWidget();
        QCOMPARE(client->size(), QSize(pxX(2700), px(3204)));
        QCOMPARE(client->mapToGlobal(QPoint(0, 0)), QPoint(pxX(7128), px(1140)));
        // Shown: the resize rule has given both lists the client width and the list the height
        // between the group box and the strip, which lies along the bottom.
        const int strip = px(252);
        const int box = child<QComboBox>("cmbmem")->height();
        QCOMPARE(child<QFrame>("Picture1")->geometry(),
                 QRect(0, client->height() - strip, client->width(), strip));
        QCOMPARE(child<QComboBox>("cmbmem")->width(), client->width());
        QCOMPARE(child<QListWidget>("lstnum")->geometry(),
                 QRect(0, px(280), client->width(), client->height() - strip - box));
    }

    void resizeFollowsTheRule_data() {
        QTest::addColumn<QSize>("clientSize");
        QTest::newRow("wider and higher") << QSize(320, 480);
        QTest::newRow("narrow") << QSize(120, 150);
        QTest::newRow("lower than box and strip") << QSize(160, 20);
    }
    void resizeFollowsTheRule() {
        QFETCH(QSize, clientSize);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const int menu = window().menuBar()->height();
        window().resize(clientSize.width(), clientSize.height() + menu);
        QWidget* client = window().centralWidget();
        QTRY_COMPARE(client->size(), clientSize);
        const int strip = px(252);
        const int box = child<QComboBox>("cmbmem")->height();
        QCOMPARE(child<QFrame>("Picture1")->geometry(),
                 QRect(0, clientSize.height() - strip, clientSize.width(), strip));
        QCOMPARE(child<QLabel>("lblW")->pos(), QPoint(pxX(120), 0));
        QCOMPARE(child<QComboBox>("cmbmem")->width(), clientSize.width());
        QCOMPARE(child<QListWidget>("lstnum")->size(),
                 QSize(clientSize.width(), std::max(0, clientSize.height() - strip - box)));
        QCOMPARE(child<QListWidget>("lstnum")->pos(), QPoint(0, px(280)));
    }

    void maximizingIsUndone() {
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        window().setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(!(window().windowState() & Qt::WindowMaximized));
    }

    void startUpFillsTheWindow() {
        QCOMPARE(window().logic().Form_Load(catalogue()), LookupWindowLogic::StartOutcome::Shown);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QCOMPARE(window().windowTitle(), QStringLiteral("ZELK_Win [ JISTEELW.CSV ]"));
        auto* cmbmem = child<QComboBox>("cmbmem");
        auto* lstnum = child<QListWidget>("lstnum");
        QCOMPARE(cmbmem->count(), 3);
        QCOMPARE(cmbmem->itemText(2), QStringLiteral("鋼板"));
        QCOMPARE(cmbmem->currentIndex(), 0);
        QCOMPARE(lstnum->count(), 2);
        QCOMPARE(lstnum->item(1)->text(), QStringLiteral("H-100x100x6x8"));
        QVERIFY(lstnum->selectedItems().isEmpty());
        QVERIFY(window().menuItem(LookupMenuItem::mnuptarea)->isVisible());
        QVERIFY(window().menuItem(LookupMenuItem::mnuexcel)->isChecked());
        QVERIFY(window().menuItem(LookupMenuItem::mnuT)->isChecked());
        QVERIFY(!window().menuItem(LookupMenuItem::mnuW)->isChecked());
        QCOMPARE(window().menuItem(LookupMenuItem::mnuW)->text(), QStringLiteral("重量のみ(&W)"));
        QCOMPARE(window().menuItem(LookupMenuItem::mnuP)->text(), QStringLiteral("面積のみ(&P)"));
        QCOMPARE(m_log, QStringList{QStringLiteral("setAbove %1 1").arg(window().winId())});
        QCOMPARE(window().logic().TopMost(), true);
    }

    void choosingMembersAndGroups() {
        QCOMPARE(window().logic().Form_Load(catalogue()), LookupWindowLogic::StartOutcome::Shown);
        window().logic().link.TransferEnabled = false;
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        auto* cmbmem = child<QComboBox>("cmbmem");
        auto* lstnum = child<QListWidget>("lstnum");
        auto* lblW = child<QLabel>("lblW");

        // A click on the second member.
        const QRect second = lstnum->visualItemRect(lstnum->item(1));
        QTest::mouseClick(lstnum->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(lblW->text(), QStringLiteral("17.2kg/m 34.19m2/t"));
        QCOMPARE(lblW->width(), lblW->sizeHint().width());
        QCOMPARE(lblW->pos(), QPoint(pxX(120), 0));
        // The keyboard moves the choice too.
        QTest::keyClick(lstnum, Qt::Key_Up);
        QCOMPARE(lblW->text(), QStringLiteral("9.3kg/m 41.94m2/t"));

        // Another group by the keyboard: its members, none chosen, the label as it was.
        QTest::keyClick(cmbmem, Qt::Key_End);
        QCOMPARE(cmbmem->currentIndex(), 2);
        QCOMPARE(lstnum->count(), 1);
        QCOMPARE(lstnum->item(0)->text(), QStringLiteral("PL-6"));
        QVERIFY(lstnum->selectedItems().isEmpty());
        QCOMPARE(lblW->text(), QStringLiteral("9.3kg/m 41.94m2/t"));
    }

    void checkMarksChangeOnlyByHandlers() {
        QCOMPARE(window().logic().Form_Load(catalogue()), LookupWindowLogic::StartOutcome::Shown);
        QAction* excel = window().menuItem(LookupMenuItem::mnuexcel);
        QAction* weightOnly = window().menuItem(LookupMenuItem::mnuW);
        QAction* table = window().menuItem(LookupMenuItem::mnuT);
        // The link switch flips the flag and its mark together, twice back to where it was.
        excel->trigger();
        QVERIFY(!excel->isChecked());
        QCOMPARE(window().logic().link.TransferEnabled, false);
        excel->trigger();
        QVERIFY(excel->isChecked());
        QCOMPARE(window().logic().link.TransferEnabled, true);
        // A mode command moves the mark; choosing the checked one again leaves it checked.
        weightOnly->trigger();
        QVERIFY(weightOnly->isChecked());
        QVERIFY(!table->isChecked());
        QCOMPARE(window().logic().link.TransferMode, qint16(1));
        weightOnly->trigger();
        QVERIFY(weightOnly->isChecked());
        table->trigger();
        QVERIFY(table->isChecked());
        QVERIFY(!weightOnly->isChecked());
        QCOMPARE(window().logic().link.TransferMode, qint16(0));
    }

    void missingCatalogueClosesAfterItsMessage() {
        QString title;
        QString text;
        // The message box is modal: read it and press its button as the user would.
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            QTest::keyClick(box, Qt::Key_Enter);
        });
        const QString missing = m_dir.filePath(QStringLiteral("missing.csv"));
        QCOMPARE(window().logic().Form_Load(missing), LookupWindowLogic::StartOutcome::Closed);
        QCOMPARE(title, frmZELK::kMessageTitle);
        QVERIFY(!text.isEmpty());
        QVERIFY(!window().isVisible());
        // The close request ran: one call, to leave the top layer.
        QCOMPARE(m_log.size(), 1);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^setAbove [1-9][0-9]* 0$")).match(m_log.first()).hasMatch(),
            qPrintable(m_log.first()));
        QCOMPARE(window().logic().TopMost(), false);
    }

    void closingLeavesTheTopLayerFirst() {
        QCOMPARE(window().logic().Form_Load(catalogue()), LookupWindowLogic::StartOutcome::Shown);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const WId handle = window().winId();
        QVERIFY(window().close());
        QVERIFY(!window().isVisible());
        QCOMPARE(m_log.last(), QStringLiteral("setAbove %1 0").arg(handle));
        QCOMPARE(window().logic().TopMost(), false);
    }
};

QTEST_MAIN(frmZELKTest)
#include "frmZELKTest.moc"
