#pragma once

#include "RecordingLookupView.h"
#include "lookup/LookupWindowLogic.h"
#include "platform/RecordingTransferSink.h"

#include <utility>

// A lookup window's logic on a recording view: the view's events run the logic's handlers as the
// real window's would, and every call to the view and the stay-on-top interface goes to one log;
// the spreadsheet transfer is recorded apart, in `transferSink.calls`.
struct Harness {
    QStringList log;
    RecordingLookupView view{log};
    RecordingStayOnTop stayOnTop{log};
    RecordingTransferSink transferSink; // keeps its own log of the spreadsheet transfer
    LookupWindowLogic logic{view, stayOnTop, transferSink};

    Harness() {
        view.onGroupChosen = [this] { logic.cmbmem_Click(); };
        view.onCloseRequest = [this] { logic.Form_QueryUnload(); };
    }
    // The calls logged since the last look.
    QStringList takeLog() { return std::exchange(log, {}); }
};
