#include "PlatformTransferSink.h"

#include "X11Connection.h"
#include "X11TransferSink.h"

namespace {

class NoSpreadsheetSink : public TransferSink {
public:
    bool AppActivate(const std::u16string&) override { return false; }
    void ClipboardClear() override {}
    void ClipboardSetText(const std::u16string&) override {}
    void SendKeys(const KeySequence&, bool) override {}
};

} // namespace

std::unique_ptr<TransferSink> createPlatformTransferSink() {
    if (X11Connection* connection = X11Connection::application())
        return std::make_unique<X11TransferSink>(*connection);
    return std::make_unique<NoSpreadsheetSink>();
}
