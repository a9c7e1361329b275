#pragma once

#include "StandInGrid.h"

#include <QHash>
#include <QTableWidget>

#include <functional>
#include <utility>

// A spreadsheet stand-in for the link's end-to-end tests, as awkward as a real one:
// - a paste (Ctrl+V) asks for the clipboard's formats after 10 ms, for its text after 100 ms and
//   again after 200 ms, and pastes what it got last; keys that come meanwhile wait for the paste;
// - a change of the clipboard's owner makes it ask for the formats, as it would to enable Paste;
// - a key pressed less than kMinKeyGapMs after the key event before it, or released less than
//   that after its press, is ignored.
// Arrow keys, Enter (down), Tab (right) and Home move the current cell; other characters are typed
// into it. After every change it writes its grid to the grid file (see StandInGrid).
class StandInWindow : public QTableWidget {
    Q_OBJECT

public:
    static constexpr ulong kMinKeyGapMs = 2;
    static constexpr int kTargetsFetchMs = 10;
    static constexpr int kFirstTextFetchMs = 100;
    static constexpr int kLastTextFetchMs = 200;

    StandInWindow(const QString& gridFile, int rows);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Press {
        ulong time = 0;
        bool tooSoon = false;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };

    StandInGrid grid_;
    QString gridFile_;
    bool haveKeyTime_ = false;
    ulong lastKeyTime_ = 0;
    QHash<int, Press> pressed_;
    bool pasting_ = false;
    QString fetched_;
    QList<std::function<void()>> waiting_;

    void act(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void startPaste();
    void finishPaste();
    void changed();
};
