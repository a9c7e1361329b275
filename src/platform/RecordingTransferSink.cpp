#include "RecordingTransferSink.h"

bool RecordingTransferSink::AppActivate(const QString& title) {
    calls.append(QStringLiteral("AppActivate ") + title);
    return windowPresent;
}

void RecordingTransferSink::ClipboardClear() {
    calls.append(QStringLiteral("Clear"));
    clipboard.clear();
}

void RecordingTransferSink::ClipboardSetText(const QString& text) {
    calls.append(QStringLiteral("SetText ") + text);
    clipboard = text;
}

void RecordingTransferSink::SendKeys(const KeySequence& keys, bool wait) {
    calls.append(QStringLiteral("SendKeys ") + keys.text +
                 (wait ? QStringLiteral(" wait") : QStringLiteral(" nowait")));
}
