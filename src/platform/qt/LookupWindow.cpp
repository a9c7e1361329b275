#include "LookupWindow.h"

#include "AboutWindow.h"
#include "HelpPage.h"
#include "QtDesign.h"
#include "TextEditorWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QStyledItemDelegate>

#include <cstdio>
#include <cstdlib>

namespace {

// Draws a result of the find, whose text is two lines: the designation, and under it its group and
// remark in the quieter colour of the placeholder text. Each line is drawn as an item of its own in
// its half of the row, so that the style places, elides and highlights it.
class FindRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // As wide as the list, whatever the text: a line too long is cut short with "…".
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem row = option;
        initStyleOption(&row, index);
        // The style option holds the line break as a line separator.
        const QStringList lines = row.text.split(QChar::LineSeparator);
        const int middle = row.rect.height() / 2;
        for (int line = 0; line < 2; ++line) {
            QStyleOptionViewItem half = row;
            half.text = lines.value(line);
            half.rect = line == 0 ? row.rect.adjusted(0, 0, 0, middle - row.rect.height())
                                  : row.rect.adjusted(0, middle, 0, 0);
            if (line == 1)
                half.palette.setColor(QPalette::Text, row.palette.color(QPalette::PlaceholderText));
            row.widget->style()->drawControl(QStyle::CE_ItemViewItem, &half, painter, row.widget);
        }
    }
};

} // namespace

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
        if (memberIndex() >= 0) {
            m_logic.lstnum_Click();
            reportChoice();
        }
    });

    m_Picture1 = new QFrame(m_client);
    m_Picture1->setFrameShape(QFrame::NoFrame);
    applyDesign(*m_Picture1, design.control("Picture1"));

    m_lblW = new QLabel(m_Picture1);
    applyDesign(*m_lblW, design.control("lblW"));

    // The strip takes part in the tab order; the label never takes the focus.
    m_Picture1->setFocusPolicy(Qt::TabFocus);
    applyTabOrder(*this, design);
    buildFind();
}

void LookupWindow::buildFind() {
    m_findField = new QLineEdit(m_client);
    m_findField->setObjectName(qtName(kFindFieldName));
    m_findField->setPlaceholderText(qtText(kFindPlaceholder));
    m_findField->installEventFilter(this);
    // What the user types; the field emptied from code is no search.
    connect(m_findField, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_find.textChanged(coreText(text)); });

    m_findList = new QListWidget(m_client);
    m_findList->setObjectName(qtName(kFindListName));
    m_findList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_findList->setItemDelegate(new FindRowDelegate(m_findList));
    // The keys stay in the field, whatever the mouse does in the list.
    m_findList->setFocusPolicy(Qt::NoFocus);
    connect(m_findList, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { m_find.setCurrent(m_findList->row(item)); });
    connect(m_findList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { pickFound(m_findList->row(item)); });
    m_findField->hide();
    m_findList->hide();
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
        if (entry.ctrlKey)
            action->setShortcut(QKeySequence(qtText(shortcutText(entry))));
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
        connect(action, &QAction::triggered, this, [this, item] { runMenuCommand(m_logic, m_find, item); });
        m_menuItems[item] = action;
    }
}

void LookupWindow::dockStrip() {
    const int height = pixelRect(*this, lookupWindowDesign().control("Picture1").rect).height();
    m_Picture1->setGeometry(0, m_client->height() - height, m_client->width(), height);
}

void LookupWindow::placeFind() {
    m_findField->setGeometry(m_cmbmem->geometry());
    m_findList->setGeometry(m_lstnum->geometry());
}

bool LookupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        dockStrip();
        m_logic.Form_Resize();
        placeFind();
    }
    if (watched == m_findField && event->type() == QEvent::KeyPress &&
        findKeyPressed(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool LookupWindow::findKeyPressed(int key) {
    switch (key) {
    case Qt::Key_Up:
        m_find.moveCurrent(-1);
        return true;
    case Qt::Key_Down:
        m_find.moveCurrent(1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pickFound(std::nullopt);
        return true;
    case Qt::Key_Escape:
        m_find.cancel();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true; // the focus stays in the find while it is open
    default:
        return false;
    }
}

void LookupWindow::pickFound(std::optional<int> row) {
    if (row)
        m_find.pickAt(*row);
    else
        m_find.pick();
    if (!m_find.isOpen()) // a pick closes the find
        reportChoice();
}

void LookupWindow::reportChoice() {
    if (m_choiceReport)
        m_choiceReport();
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

void LookupWindow::setMemberIndex(int index) {
    {
        // The handler runs once, below, also when the row was already selected.
        const QSignalBlocker blocker(m_lstnum);
        m_lstnum->clearSelection();
        m_lstnum->setCurrentRow(index);
    }
    m_lstnum->scrollToItem(m_lstnum->currentItem());
    m_logic.lstnum_Click();
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

void LookupWindow::showFind() {
    m_focusBeforeFind = focusWidget();
    m_findField->clear();
    m_findList->clear();
    placeFind();
    m_findField->show();
    m_findList->show();
    m_findField->setFocus();
    m_cmbmem->hide();
    m_lstnum->hide();
}

void LookupWindow::hideFind(FindEnd end) {
    m_cmbmem->show();
    m_lstnum->show();
    QWidget* focus = end == FindEnd::Picked || !m_focusBeforeFind ? m_lstnum : m_focusBeforeFind.data();
    focus->setFocus();
    m_findField->hide();
    m_findList->hide();
    m_findList->clear();
}

void LookupWindow::selectFindText() {
    m_findField->selectAll();
    m_findField->setFocus();
}

void LookupWindow::setFindResults(const std::vector<FindRow>& rows) {
    m_findList->clear();
    for (const FindRow& row : rows)
        m_findList->addItem(qtText(row.designation) + u'\n' + qtText(row.detail));
}

void LookupWindow::setCurrentFindResult(int index) {
    m_findList->setCurrentRow(index);
    if (QListWidgetItem* item = m_findList->currentItem())
        m_findList->scrollToItem(item);
}
