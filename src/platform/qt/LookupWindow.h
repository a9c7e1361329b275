#pragma once

#include "forms/LookupView.h"
#include "forms/LookupWindowLogic.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class TransferSink;

// The lookup window `frmZELK`, built from its design: the group box, the member list, the value
// strip along the bottom and the menu bar. Its behaviour is LookupWindowLogic's; this class turns
// widget events into the logic's handlers and carries out what the logic asks of the window.
class LookupWindow final : public QMainWindow, private LookupView {
public:
    // Places a top-level window above all others, or lets it go back among them.
    using StayOnTopFunction = std::function<void(QWidget& window, bool above)>;

    LookupWindow(TransferSink& transferSink, StayOnTopFunction stayOnTop);

    LookupWindowLogic& logic() { return m_logic; }

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

    void buildControls();
    void buildMenus();
    void dockStrip();

    QWidget* m_client = nullptr;
    QComboBox* m_cmbmem = nullptr;
    QListWidget* m_lstnum = nullptr;
    QFrame* m_Picture1 = nullptr;
    QLabel* m_lblW = nullptr;
    std::map<MenuItem, QAction*> m_menuItems;
    StayOnTopFunction m_stayOnTop;
    LookupWindowLogic m_logic;
};
