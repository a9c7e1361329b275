#include "LookupWindow.h"

#include "AboutWindow.h"
#include "HelpPage.h"
#include "QtDesign.h"
#include "TextEditorWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>

#include <cstdio>
#include <cstdlib>

LookupWindow::LookupWindow(TransferSink& transferSink, StayOnTopFunction stayOnTop)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      m_stayOnTop(std::move(stayOnTop)), m_logic(*this, transferSink) {
    const WindowDesign& design = lookupWindowDesign();
    setObjectName(qtName(design.name));
    setWindowTitle(qtText(design.caption));
    setWindowIcon(applicationIcon());
    buildControls();
    buildMenus();

    // The design places the client area; the menu bar comes on top of it.
    const int menuHeight = menuBar()->sizeHint().height();
    const QRect client = pixelRect(*this, design.client);
    setGeometry(client.x(), client.y() - menuHeight, client.width(), client.height() + menuHeight);
}

void LookupWindow::buildControls() {
    const WindowDesign& design = lookupWindowDesign();
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_cmbmem = new QComboBox(m_client);
    m_cmbmem->setEditable(false);
    applyDesign(*m_cmbmem, design.control("cmbmem"));
    // A choice by mouse, keyboard or wheel; a choice made from code runs the handler itself.
    connect(m_cmbmem, &QComboBox::activated, this, [this] { m_logic.cmbmem_Click(); });

    m_lstnum = new QListWidget(m_client);
    m_lstnum->setSelectionMode(QAbstractItemView::SingleSelection);
    applyDesign(*m_lstnum, design.control("lstnum"));
    // Selection, not the current item: tabbing into the list makes an item current without
    // choosing it.
    connect(m_lstnum, &QListWidget::itemSelectionChanged, this, [this] {
        if (memberIndex() >= 0)
            m_logic.lstnum_Click();
    });

    m_Picture1 = new QFrame(m_client);
    m_Picture1->setFrameShape(QFrame::NoFrame);
    applyDesign(*m_Picture1, design.control("Picture1"));

    m_lblW = new QLabel(m_Picture1);
    applyDesign(*m_lblW, design.control("lblW"));

    // The strip takes part in the tab order; the label never takes the focus.
    m_Picture1->setFocusPolicy(Qt::TabFocus);
    applyTabOrder(*this, design);
}

void LookupWindow::buildMenus() {
    std::map<MenuItem, QMenu*> submenus;
    for (const MenuDesign& entry : lookupMenuTree()) {
        const QString caption = qtText(entry.caption);
        const QString name = qtName(entry.name);
        QMenu* parent = entry.parent ? submenus.at(*entry.parent) : nullptr;
        if (entry.submenu) {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            submenus[entry.item] = menu;
            m_menuItems[entry.item] = menu->menuAction();
            continue;
        }
        QAction* action = parent->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        if (entry.checkable) {
            // Qt flips a checkable item's mark on every click; here the marks belong to the
            // handlers, so the flip is undone before any handler runs.
            connect(action, &QAction::triggered, action, [action] {
                const QSignalBlocker blocker(action);
                action->setChecked(!action->isChecked());
            });
        }
        const MenuItem item = entry.item;
        connect(action, &QAction::triggered, this, [this, item] { runMenuCommand(m_logic, item); });
        m_menuItems[item] = action;
    }
}

void LookupWindow::dockStrip() {
    const int height = pixelRect(*this, lookupWindowDesign().control("Picture1").rect).height();
    m_Picture1->setGeometry(0, m_client->height() - height, m_client->width(), height);
}

bool LookupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        dockStrip();
        m_logic.Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void LookupWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The window has no maximize button; a window manager that maximizes all the same (by a
    // double click on the caption) is answered with the normal state.
    if (windowState() & Qt::WindowMaximized) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        return;
    }
    m_logic.Form_Resize();
}

void LookupWindow::closeEvent(QCloseEvent* event) {
    m_logic.Form_QueryUnload();
    event->accept();
}

void LookupWindow::clearGroups() {
    m_cmbmem->clear();
}

void LookupWindow::addGroup(const std::u16string& name) {
    m_cmbmem->addItem(qtText(name));
}

void LookupWindow::setGroupIndex(int index) {
    m_cmbmem->setCurrentIndex(index);
    m_logic.cmbmem_Click();
}

int LookupWindow::groupIndex() const {
    return m_cmbmem->currentIndex();
}

int LookupWindow::groupBoxHeight() const {
    return m_cmbmem->height();
}

void LookupWindow::setGroupBoxWidth(int width) {
    m_cmbmem->resize(width, m_cmbmem->height());
}

void LookupWindow::clearMembers() {
    m_lstnum->clear();
}

void LookupWindow::addMember(const std::u16string& name) {
    m_lstnum->addItem(qtText(name));
}

int LookupWindow::memberIndex() const {
    const QModelIndexList rows = m_lstnum->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void LookupWindow::setMemberListHeight(int height) {
    m_lstnum->resize(m_lstnum->width(), height);
}

void LookupWindow::setMemberListWidth(int width) {
    m_lstnum->resize(width, m_lstnum->height());
}

int LookupWindow::stripInnerHeight() const {
    return m_Picture1->contentsRect().height();
}

void LookupWindow::setValueLabel(const std::u16string& text) {
    // The label sizes itself to its text and grows to the right; the strip cuts off what does
    // not fit.
    m_lblW->setText(qtText(text));
    m_lblW->adjustSize();
}

void LookupWindow::setMenuCaption(MenuItem item, const std::u16string& caption) {
    m_menuItems.at(item)->setText(qtText(caption));
}

void LookupWindow::setMenuVisible(MenuItem item, bool visible) {
    m_menuItems.at(item)->setVisible(visible);
}

void LookupWindow::setMenuChecked(MenuItem item, bool checked) {
    m_menuItems.at(item)->setChecked(checked);
}

void LookupWindow::setCaption(const std::u16string& caption) {
    setWindowTitle(qtText(caption));
}

int LookupWindow::innerWidth() const {
    return m_client->width();
}

int LookupWindow::innerHeight() const {
    return m_client->height();
}

bool LookupWindow::isMinimized() const {
    return QMainWindow::isMinimized();
}

void LookupWindow::setStayOnTop(bool above) {
    if (m_stayOnTop)
        m_stayOnTop(*this, above);
}

void LookupWindow::showMessage(const std::u16string& text) {
    showMessageBox(this, qtText(text));
}

void LookupWindow::showCaptionedMessage(std::u16string_view caption, const std::u16string& text) {
    showMessageBox(this, qtText(text), qtText(caption));
}

std::filesystem::path LookupWindow::showTextEditor(const std::filesystem::path& dataFileName) {
    TextEditorWindow editor(dataFileName, this);
    editor.exec();
    return editor.dataFileName();
}

void LookupWindow::showAboutWindow() {
    AboutWindow about(this);
    about.exec();
}

void LookupWindow::openHelpPage() {
    ::openHelpPage();
}

void LookupWindow::closeWindow() {
    close();
}

void LookupWindow::endProcess(ZelkExitStatus status) {
    std::fflush(nullptr);
    // At once: no further event, no clean-up that could run code of the window.
    std::_Exit(int(status));
}
