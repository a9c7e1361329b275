#include "PlatformTransferSink.h"

#ifdef Q_OS_WIN
#include "WindowsTransferSink.h"
#else
#include "X11TransferSink.h"
#endif

namespace {

class NoSpreadsheetSink : public TransferSink {
public:
    bool AppActivate(const QString&) override { return false; }
    void ClipboardClear() override {}
    void ClipboardSetText(const QString&) override {}
    void SendKeys(const KeySequence&, bool) override {}
};

} // namespace

std::unique_ptr<TransferSink> CreatePlatformTransferSink() {
#ifdef Q_OS_WIN
    return std::make_unique<WindowsTransferSink>();
#else
    if (X11TransferSink::Available())
        return std::make_unique<X11TransferSink>();
    return std::make_unique<NoSpreadsheetSink>();
#endif
}
