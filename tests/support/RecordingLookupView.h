#pragma once
// A lookup window without a display: it keeps what the user would see (lists, label, captions,
// messages, whether it is on top) and runs the handlers that a real window runs.
#include "forms/LookupView.h"
#include "support/TestFiles.h"

#include <functional>
#include <map>

// Thrown by endProcess: nothing after it runs.
struct ProcessEnded {};

class RecordingLookupView : public LookupView {
public:
    std::vector<std::string> groups, members, messages;
    int chosenGroup = -1, chosenMember = -1;
    std::string valueLabel, caption;
    std::map<MenuItem, std::string> captions;
    std::map<MenuItem, bool> visible;
    bool onTop = false, closed = false;
    int helpPagesOpened = 0, exitCode = -1;
    // The client area's height, and the member list's as the window last set it.
    int windowHeight = 0, listHeight = -1;
    // The modal windows: what the editor does, and whether the window stayed on top meanwhile.
    std::function<fs::path(const fs::path&)> editor = [](const fs::path& path) { return path; };
    std::vector<bool> onTopWhileModal;
    // The logic's handlers that the window itself runs.
    std::function<void()> onGroupChosen, onClose;

    void clearGroups() override { groups.clear(), chosenGroup = -1; }
    void addGroup(const std::u16string& name) override { groups.push_back(u8(name)); }
    void setGroupIndex(int index) override { chosenGroup = index, onGroupChosen(); }
    int groupIndex() const override { return chosenGroup; }
    int groupBoxHeight() const override { return 20; }
    void setGroupBoxWidth(int) override {}
    void clearMembers() override { members.clear(), chosenMember = -1; }
    void addMember(const std::u16string& name) override { members.push_back(u8(name)); }
    int memberIndex() const override { return chosenMember; }
    void setMemberListHeight(int height) override { listHeight = height; }
    void setMemberListWidth(int) override {}
    int stripInnerHeight() const override { return 16; }
    void setValueLabel(const std::u16string& text) override { valueLabel = u8(text); }
    void setMenuCaption(MenuItem item, const std::u16string& text) override { captions[item] = u8(text); }
    void setMenuVisible(MenuItem item, bool on) override { visible[item] = on; }
    void setMenuChecked(MenuItem, bool) override {}
    void setCaption(const std::u16string& text) override { caption = u8(text); }
    int innerWidth() const override { return 0; }
    int innerHeight() const override { return windowHeight; }
    bool isMinimized() const override { return false; }
    void setStayOnTop(bool above) override { onTop = above; }
    void showMessage(const std::u16string& text) override { messages.push_back(u8(text)); }
    void showCaptionedMessage(std::u16string_view title, const std::u16string& text) override {
        messages.push_back(u8(title) + ": " + u8(text));
    }
    fs::path showTextEditor(const fs::path& path) override {
        return onTopWhileModal.push_back(onTop), editor(path);
    }
    void showAboutWindow() override { onTopWhileModal.push_back(onTop); }
    void openHelpPage() override { ++helpPagesOpened; }
    void closeWindow() override { closed = true, onClose(); }
    void endProcess(ZelkExitStatus status) override { exitCode = int(status), throw ProcessEnded(); }
};
