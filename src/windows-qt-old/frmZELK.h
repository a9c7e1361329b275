#pragma once

#include "lookup/LookupView.h"
#include "lookup/LookupWindowLogic.h"

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class EditorDialogs;
class ShellOpener;
class StayOnTop;
class TransferSink;

// The lookup window: the group box, the member list, the value strip along the bottom and the
// menu bar, laid out in design units turned into pixels. Its behaviour is LookupWindowLogic's;
// this class turns widget events into the logic's handlers and carries out what the logic asks.
class frmZELK final : public QMainWindow, private LookupView {
    Q_OBJECT

public:
    // The title of every message box the window shows.
    static const QString kMessageTitle;

    // The window reaches the platform through `stayOnTop` (its place above other windows),
    // `transferSink` (the spreadsheet), `shellOpener` (the help page) and `editorDialogs` (the
    // text editor's questions).
    frmZELK(StayOnTop& stayOnTop, TransferSink& transferSink, ShellOpener& shellOpener,
            EditorDialogs& editorDialogs, QWidget* parent = nullptr);

    LookupWindowLogic& logic() { return m_logic; }
    QAction* menuItem(LookupMenuItem item) const { return m_menuItems[std::size_t(item)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // LookupView
    void clearGroups() override;
    void addGroup(const QString& name) override;
    void setGroupIndex(int index) override;
    int groupIndex() const override;
    int groupBoxHeight() const override;
    void setGroupBoxWidth(int width) override;
    void clearMembers() override;
    void addMember(const QString& name) override;
    int memberIndex() const override;
    void setMemberListHeight(int height) override;
    void setMemberListWidth(int width) override;
    int stripInnerHeight() const override;
    void setValueLabel(const QString& text) override;
    void setMenuCaption(LookupMenuItem item, const QString& caption) override;
    void setMenuVisible(LookupMenuItem item, bool visible) override;
    void setMenuChecked(LookupMenuItem item, bool checked) override;
    void setCaption(const QString& caption) override;
    int innerWidth() const override;
    int innerHeight() const override;
    bool isMinimized() const override;
    quintptr nativeHandle() override;
    void showMessage(const QString& text) override;
    void showCaptionedMessage(const QString& caption, const QString& text) override;
    QString showTextEditor(const QString& dataFileName) override;
    void showAboutWindow() override;
    void openHelpPage() override;
    void closeWindow() override;
    void endProcess(int exitCode) override;

    void buildControls();
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, LookupMenuItem item, const char* name, const QString& caption,
                         bool checkable = false, bool checked = false);
    int xPixels(int twips) const;
    int yPixels(int twips) const;
    void dockStrip();

    QWidget* m_client = nullptr;
    QComboBox* cmbmem = nullptr;
    QListWidget* lstnum = nullptr;
    QFrame* Picture1 = nullptr;
    QLabel* lblW = nullptr;
    std::array<QAction*, 8> m_menuItems{};
    ShellOpener& m_shellOpener;
    EditorDialogs& m_editorDialogs;
    LookupWindowLogic m_logic;
};
