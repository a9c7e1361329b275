#pragma once

#include "forms/FindView.h"
#include "forms/LookupView.h"
#include "forms/LookupWindowLogic.h"
#include "forms/MemberFind.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class TransferSink;

// The lookup window `frmZELK`, built from its design: the group box, the member list, the value
// strip along the bottom and the menu bar, and the find's field and result list, which take the
// places of the two lists while the find is open. Its behaviour is LookupWindowLogic's and
// MemberFind's; this class turns widget events into their handlers and carries out what they ask
// of the window.
class LookupWindow final : public QMainWindow, private LookupView, private FindView {
public:
    // Places a top-level window above all others, or lets it go back among them.
    using StayOnTopFunction = std::function<void(QWidget& window, bool above)>;

    LookupWindow(TransferSink& transferSink, StayOnTopFunction stayOnTop);

    LookupWindowLogic& logic() { return m_logic; }
    // Runs `report` each time a member choice has been handled (label written, transfer done),
    // in the lists or by the find.
    void setChoiceReport(std::function<void()> report) { m_choiceReport = std::move(report); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // LookupView
    void clearGroups() override;
    void addGroup(const std::u16string& name) override;
    void setGroupIndex(int index) override;
    int groupIndex() const override;
    int groupBoxHeight() const override;
    void setGroupBoxWidth(int width) override;
    void clearMembers() override;
    void addMember(const std::u16string& name) override;
    int memberIndex() const override;
    void setMemberListHeight(int height) override;
    void setMemberListWidth(int width) override;
    void setMemberIndex(int index) override;
    int stripInnerHeight() const override;
    void setValueLabel(const std::u16string& text) override;
    void setMenuCaption(MenuItem item, const std::u16string& caption) override;
    void setMenuVisible(MenuItem item, bool visible) override;
    void setMenuChecked(MenuItem item, bool checked) override;
    void setCaption(const std::u16string& caption) override;
    int innerWidth() const override;
    int innerHeight() const override;
    bool isMinimized() const override;
    void setStayOnTop(bool above) override;
    void showMessage(const std::u16string& text) override;
    void showCaptionedMessage(std::u16string_view caption, const std::u16string& text) override;
    std::filesystem::path showTextEditor(const std::filesystem::path& dataFileName) override;
    void showAboutWindow() override;
    void openHelpPage() override;
    void closeWindow() override;
    void endProcess(ZelkExitStatus status) override;

    // FindView
    void showFind() override;
    void hideFind(FindEnd end) override;
    void selectFindText() override;
    void setFindResults(const std::vector<FindRow>& rows) override;
    void setCurrentFindResult(int index) override;

    void buildControls();
    void buildFind();
    void buildMenus();
    void dockStrip();
    // The find's controls where the lists are.
    void placeFind();
    // Handles a key of the find's field; false for a key the field itself takes.
    bool findKeyPressed(int key);
    // Enter, or a double-click on result `row`.
    void pickFound(std::optional<int> row);
    void reportChoice();

    QWidget* m_client = nullptr;
    QComboBox* m_cmbmem = nullptr;
    QListWidget* m_lstnum = nullptr;
    QFrame* m_Picture1 = nullptr;
    QLabel* m_lblW = nullptr;
    QLineEdit* m_findField = nullptr;
    QListWidget* m_findList = nullptr;
    QPointer<QWidget> m_focusBeforeFind;
    std::map<MenuItem, QAction*> m_menuItems;
    StayOnTopFunction m_stayOnTop;
    std::function<void()> m_choiceReport;
    LookupWindowLogic m_logic;
    MemberFind m_find{*this, m_logic};
};
