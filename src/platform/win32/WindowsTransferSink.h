#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "lookup/TransferSink.h"

// The spreadsheet link on Windows: EnumWindows and SetForegroundWindow for the window, Qt's
// clipboard, SendInput for the keystrokes.
class WindowsTransferSink : public TransferSink {
public:
    bool AppActivate(const QString& title) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text) override;
    void SendKeys(const KeySequence& keys, bool wait) override;
};

#endif
