#pragma once

#include "lookup/TransferSink.h"

#include <QStringList>

// A TransferSink that sends nothing anywhere: it writes down every call, one line each, and keeps
// a clipboard of its own, so that tests can check what a transfer would have done.
//   "AppActivate TITLE", "Clear", "SetText TEXT", "SendKeys TEXT wait" or "SendKeys TEXT nowait"
class RecordingTransferSink : public TransferSink {
public:
    // Whether AppActivate finds a window; the activation is recorded either way.
    bool windowPresent = true;

    QStringList calls;
    QString clipboard;

    bool AppActivate(const QString& title) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text) override;
    void SendKeys(const KeySequence& keys, bool wait) override;
};
