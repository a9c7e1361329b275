#pragma once

#include "TransferSink.h"

// The spreadsheet link where no spreadsheet can be reached (the offscreen platform, a desktop
// without X11): it finds no spreadsheet window, so a transfer ends after the value label, as it
// does when no spreadsheet runs.
class NoSpreadsheet final : public TransferSink {
public:
    TransferFault AppActivate(const std::u16string&) override { return TransferFault::NoWindow; }
    TransferFault ClipboardClear() override { return TransferFault::None; }
    TransferFault ClipboardSetText(const std::u16string&) override { return TransferFault::None; }
    TransferFault SendKeys(const KeySequence&, bool) override { return TransferFault::None; }
};
