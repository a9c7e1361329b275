#pragma once

#include "lookup/LookupView.h"
#include "platform/StayOnTop.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// Thrown where the real window ends the process, so that a test can see it happen.
struct ProcessEnded {
    int exitCode;
};

inline QString menuItemName(LookupMenuItem item) {
    switch (item) {
    case LookupMenuItem::mnuedit:
        return QStringLiteral("mnuedit");
    case LookupMenuItem::mnuptarea:
        return QStringLiteral("mnuptarea");
    case LookupMenuItem::mnuexcel:
        return QStringLiteral("mnuexcel");
    case LookupMenuItem::mnuT:
        return QStringLiteral("mnuT");
    case LookupMenuItem::mnuW:
        return QStringLiteral("mnuW");
    case LookupMenuItem::mnuP:
        return QStringLiteral("mnuP");
    case LookupMenuItem::mnuhelp:
        return QStringLiteral("mnuhelp");
    case LookupMenuItem::mnuver:
        return QStringLiteral("mnuver");
    }
    return QString();
}

// Records every request of the stay-on-top interface into a shared call log.
class RecordingStayOnTop final : public StayOnTop {
public:
    explicit RecordingStayOnTop(QStringList& log) : m_log(log) {}
    void setAbove(quintptr window, bool above) override {
        m_log.append(QStringLiteral("setAbove %1 %2").arg(window).arg(above));
    }

private:
    QStringList& m_log;
};

// A lookup window without widgets: keeps what the logic puts into it, logs every call in order,
// and lets the test act as the user (choose a group or a member, set the window's size).
class RecordingLookupView final : public LookupView {
public:
    static constexpr quintptr kHandle = 4711;

    explicit RecordingLookupView(QStringList& log) : m_log(log) {}

    // What setGroupIndex and closeWindow run, as the window's events would.
    std::function<void()> onGroupChosen;
    std::function<void()> onCloseRequest;

    QStringList groups;
    QStringList members;
    int chosenGroup = -1;
    int chosenMember = -1;
    QString valueLabel;
    QString caption = QStringLiteral("ZELK_Win");
    std::map<LookupMenuItem, QString> menuCaptions;
    std::map<LookupMenuItem, bool> menuVisible;
    std::map<LookupMenuItem, bool> menuChecked;
    QStringList messages;
    bool closed = false;

    int width = 180;
    int height = 214;
    int stripHeight = 17;
    int comboHeight = 18;
    bool minimized = false;

    void clearGroups() override {
        log(QStringLiteral("clearGroups"));
        groups.clear();
        chosenGroup = -1;
    }
    void addGroup(const QString& name) override {
        log(QStringLiteral("addGroup ") + name);
        groups.append(name);
    }
    void setGroupIndex(int index) override {
        log(QStringLiteral("setGroupIndex %1").arg(index));
        chosenGroup = index;
        if (onGroupChosen)
            onGroupChosen();
    }
    int groupIndex() const override { return chosenGroup; }
    int groupBoxHeight() const override { return comboHeight; }
    void setGroupBoxWidth(int w) override { log(QStringLiteral("setGroupBoxWidth %1").arg(w)); }
    void clearMembers() override {
        log(QStringLiteral("clearMembers"));
        members.clear();
        chosenMember = -1;
    }
    void addMember(const QString& name) override {
        log(QStringLiteral("addMember ") + name);
        members.append(name);
    }
    int memberIndex() const override { return chosenMember; }
    void setMemberListHeight(int h) override { log(QStringLiteral("setMemberListHeight %1").arg(h)); }
    void setMemberListWidth(int w) override { log(QStringLiteral("setMemberListWidth %1").arg(w)); }
    int stripInnerHeight() const override { return stripHeight; }
    void setValueLabel(const QString& text) override {
        log(QStringLiteral("setValueLabel ") + text);
        valueLabel = text;
    }
    void setMenuCaption(LookupMenuItem item, const QString& text) override {
        log(QStringLiteral("setMenuCaption %1 %2").arg(menuItemName(item), text));
        menuCaptions[item] = text;
    }
    void setMenuVisible(LookupMenuItem item, bool visible) override {
        log(QStringLiteral("setMenuVisible %1 %2").arg(menuItemName(item)).arg(visible));
        menuVisible[item] = visible;
    }
    void setMenuChecked(LookupMenuItem item, bool checked) override {
        log(QStringLiteral("setMenuChecked %1 %2").arg(menuItemName(item)).arg(checked));
        menuChecked[item] = checked;
    }
    void setCaption(const QString& text) override {
        log(QStringLiteral("setCaption ") + text);
        caption = text;
    }
    int innerWidth() const override { return width; }
    int innerHeight() const override { return height; }
    bool isMinimized() const override { return minimized; }
    quintptr nativeHandle() override { return kHandle; }
    void showMessage(const QString& text) override {
        log(QStringLiteral("showMessage"));
        messages.append(text);
    }
    void showCaptionedMessage(const QString& title, const QString& text) override {
        log(QStringLiteral("showCaptionedMessage ") + title);
        messages.append(text);
    }
    // What the user does in the text editor: by default closes it unchanged.
    std::function<QString(const QString&)> onTextEditor;
    QString showTextEditor(const QString& dataFileName) override {
        log(QStringLiteral("showTextEditor ") + dataFileName);
        return onTextEditor ? onTextEditor(dataFileName) : dataFileName;
    }
    void showAboutWindow() override { log(QStringLiteral("showAboutWindow")); }
    void openHelpPage() override { log(QStringLiteral("openHelpPage")); }
    void closeWindow() override {
        log(QStringLiteral("closeWindow"));
        if (onCloseRequest)
            onCloseRequest();
        closed = true;
    }
    void endProcess(int exitCode) override {
        log(QStringLiteral("endProcess %1").arg(exitCode));
        throw ProcessEnded{exitCode};
    }

private:
    void log(const QString& call) { m_log.append(call); }
    QStringList& m_log;
};
