#include "frmZELK.h"

#include "ApplicationIcon.h"
#include "Twips.h"
#include "frmAbout.h"
#include "frmText.h"
#include "platform/HelpPage.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

// Design of the window and its controls, in twips.
constexpr int kClientX = 7128;
constexpr int kClientY = 1140;
constexpr int kClientWidth = 2700;
constexpr int kClientHeight = 3204;
constexpr int kListTop = 280;
constexpr int kListDesignWidth = 2172;
constexpr int kGroupBoxHeight = 276;
constexpr int kListDesignHeight = 2388;
constexpr int kStripHeight = 252;
constexpr int kLabelX = 120;
constexpr int kLabelHeight = 180;

} // namespace

const QString frmZELK::kMessageTitle = QStringLiteral("ZELK_Win");

frmZELK::frmZELK(StayOnTop& stayOnTop, TransferSink& transferSink, ShellOpener& shellOpener,
                 EditorDialogs& editorDialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_shellOpener(shellOpener), m_editorDialogs(editorDialogs), m_logic(*this, stayOnTop, transferSink) {
    setObjectName(QStringLiteral("frmZELK"));
    setWindowTitle(QStringLiteral("ZELK_Win"));
    setWindowIcon(applicationIcon());
    buildControls();
    buildMenus();

    // The design gives the client area's place and size, below the menu bar.
    const int menuHeight = menuBar()->sizeHint().height();
    setGeometry(xPixels(kClientX), yPixels(kClientY) - menuHeight, xPixels(kClientWidth),
                yPixels(kClientHeight) + menuHeight);
}

int frmZELK::xPixels(int twips) const {
    return twipsToPixels(twips, logicalDpiX());
}

int frmZELK::yPixels(int twips) const {
    return twipsToPixels(twips, logicalDpiY());
}

void frmZELK::buildControls() {
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    cmbmem = new QComboBox(m_client);
    cmbmem->setObjectName(QStringLiteral("cmbmem"));
    cmbmem->setEditable(false);
    cmbmem->setGeometry(0, 0, xPixels(kListDesignWidth), yPixels(kGroupBoxHeight));
    // A choice by mouse, keyboard or wheel; a choice made from code runs the handler itself.
    connect(cmbmem, &QComboBox::activated, this, [this] { m_logic.cmbmem_Click(); });

    lstnum = new QListWidget(m_client);
    lstnum->setObjectName(QStringLiteral("lstnum"));
    lstnum->setSelectionMode(QAbstractItemView::SingleSelection);
    lstnum->setGeometry(0, yPixels(kListTop), xPixels(kListDesignWidth), yPixels(kListDesignHeight));
    // Selection, not the current item: tabbing into the list makes an item current without
    // choosing it.
    connect(lstnum, &QListWidget::itemSelectionChanged, this, [this] {
        if (memberIndex() >= 0)
            m_logic.lstnum_Click();
    });

    Picture1 = new QFrame(m_client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::NoFrame);
    Picture1->setGeometry(0, yPixels(kClientHeight - kStripHeight), xPixels(kClientWidth),
                          yPixels(kStripHeight));

    lblW = new QLabel(Picture1);
    lblW->setObjectName(QStringLiteral("lblW"));
    lblW->setGeometry(xPixels(kLabelX), 0, 0, yPixels(kLabelHeight));
    lblW->adjustSize();
    lblW->move(xPixels(kLabelX), 0);

    // The strip takes part in the tab order after the list, as designed; the label never takes
    // the focus.
    Picture1->setFocusPolicy(Qt::TabFocus);
    setTabOrder(cmbmem, lstnum);
    setTabOrder(lstnum, Picture1);
}

QAction* frmZELK::addMenuItem(QMenu* menu, LookupMenuItem item, const char* name, const QString& caption,
                              bool checkable, bool checked) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setChecked(checked);
    if (checkable) {
        // Qt flips a checkable item's mark on every click; here the marks belong to the handlers,
        // so the flip is undone before any handler runs.
        connect(action, &QAction::triggered, action, [action] {
            const QSignalBlocker blocker(action);
            action->setChecked(!action->isChecked());
        });
    }
    m_menuItems[std::size_t(item)] = action;
    return action;
}

void frmZELK::buildMenus() {
    QMenu* mnuset = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    mnuset->setObjectName(QStringLiteral("mnuset"));
    addMenuItem(mnuset, LookupMenuItem::mnuedit, "mnuedit", QStringLiteral("データ編集(&E)"));
    addMenuItem(mnuset, LookupMenuItem::mnuptarea, "mnuptarea", QStringLiteral("塗装面積係数作成(&T)"));
    addMenuItem(mnuset, LookupMenuItem::mnuexcel, "mnuexcel", QStringLiteral("エクセル連動する(&E)"), true,
                true);
    QMenu* mnucopy = mnuset->addMenu(QStringLiteral("貼付内容(&C)"));
    mnucopy->setObjectName(QStringLiteral("mnucopy"));
    addMenuItem(mnucopy, LookupMenuItem::mnuT, "mnuT", QStringLiteral("表形式(&T)"), true);
    addMenuItem(mnucopy, LookupMenuItem::mnuW, "mnuW", QStringLiteral("単位重量のみ(&W)"), true);
    addMenuItem(mnucopy, LookupMenuItem::mnuP, "mnuP", QStringLiteral("塗装面積係数のみ(&P)"), true);

    QMenu* mnuh = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuh->setObjectName(QStringLiteral("mnuh"));
    addMenuItem(mnuh, LookupMenuItem::mnuhelp, "mnuhelp", QStringLiteral("ヘルプ(&I)"));
    addMenuItem(mnuh, LookupMenuItem::mnuver, "mnuver", QStringLiteral("バージョン情報(&A)"));

    const auto onTriggered = [this](LookupMenuItem item, void (LookupWindowLogic::*handler)()) {
        connect(menuItem(item), &QAction::triggered, this, [this, handler] { (m_logic.*handler)(); });
    };
    onTriggered(LookupMenuItem::mnuedit, &LookupWindowLogic::mnuedit_Click);
    onTriggered(LookupMenuItem::mnuptarea, &LookupWindowLogic::mnuptarea_Click);
    onTriggered(LookupMenuItem::mnuexcel, &LookupWindowLogic::mnuexcel_Click);
    onTriggered(LookupMenuItem::mnuT, &LookupWindowLogic::mnuT_Click);
    onTriggered(LookupMenuItem::mnuW, &LookupWindowLogic::mnuW_Click);
    onTriggered(LookupMenuItem::mnuP, &LookupWindowLogic::mnuP_Click);
    onTriggered(LookupMenuItem::mnuhelp, &LookupWindowLogic::mnuhelp_Click);
    onTriggered(LookupMenuItem::mnuver, &LookupWindowLogic::mnuver_Click);
}

void frmZELK::dockStrip() {
    const int height = yPixels(kStripHeight);
    Picture1->setGeometry(0, m_client->height() - height, m_client->width(), height);
}

bool frmZELK::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        dockStrip();
        m_logic.Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmZELK::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The window has no maximize button; a window manager that offers maximizing all the same
    // (by its own button or a double click on the caption) is answered with the normal state.
    if (windowState() & Qt::WindowMaximized) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        return;
    }
    m_logic.Form_Resize();
}

void frmZELK::closeEvent(QCloseEvent* event) {
    m_logic.Form_QueryUnload();
    event->accept();
}

void frmZELK::clearGroups() {
    cmbmem->clear();
}

void frmZELK::addGroup(const QString& name) {
    cmbmem->addItem(name);
}

void frmZELK::setGroupIndex(int index) {
    cmbmem->setCurrentIndex(index);
    m_logic.cmbmem_Click();
}

int frmZELK::groupIndex() const {
    return cmbmem->currentIndex();
}

int frmZELK::groupBoxHeight() const {
    return cmbmem->height();
}

void frmZELK::setGroupBoxWidth(int width) {
    cmbmem->resize(width, cmbmem->height());
}

void frmZELK::clearMembers() {
    lstnum->clear();
}

void frmZELK::addMember(const QString& name) {
    lstnum->addItem(name);
}

int frmZELK::memberIndex() const {
    const QModelIndexList rows = lstnum->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void frmZELK::setMemberListHeight(int height) {
    lstnum->resize(lstnum->width(), height);
}

void frmZELK::setMemberListWidth(int width) {
    lstnum->resize(width, lstnum->height());
}

int frmZELK::stripInnerHeight() const {
    return Picture1->contentsRect().height();
}

void frmZELK::setValueLabel(const QString& text) {
    // The label sizes itself to its text and grows to the right; the strip cuts off what
    // does not fit.
    lblW->setText(text);
    lblW->adjustSize();
}

void frmZELK::setMenuCaption(LookupMenuItem item, const QString& caption) {
    menuItem(item)->setText(caption);
}

void frmZELK::setMenuVisible(LookupMenuItem item, bool visible) {
    menuItem(item)->setVisible(visible);
}

void frmZELK::setMenuChecked(LookupMenuItem item, bool checked) {
    menuItem(item)->setChecked(checked);
}

void frmZELK::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

int frmZELK::innerWidth() const {
    return m_client->width();
}

int frmZELK::innerHeight() const {
    return m_client->height();
}

bool frmZELK::isMinimized() const {
    return QMainWindow::isMinimized();
}

quintptr frmZELK::nativeHandle() {
    return quintptr(winId());
}

void frmZELK::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kMessageTitle, text, QMessageBox::Ok, this);
    box.exec();
}

void frmZELK::showCaptionedMessage(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, this);
    box.exec();
}

QString frmZELK::showTextEditor(const QString& dataFileName) {
    frmText editor(dataFileName, m_editorDialogs, this);
    editor.exec();
    return editor.dataFileName();
}

void frmZELK::showAboutWindow() {
    frmAbout about(applicationIcon(), this);
    about.exec();
}

void frmZELK::openHelpPage() {
    ::openHelpPage(m_shellOpener, winId());
}

void frmZELK::closeWindow() {
    close();
}

void frmZELK::endProcess(int exitCode) {
    std::fflush(nullptr);
    // At once: no further event, no clean-up that could run code of the window.
    std::_Exit(exitCode);
}
