#pragma once

#include "link/TransferSink.h"

#include <memory>

// The spreadsheet link on Windows: the spreadsheet found among the visible top-level windows and
// brought to the foreground, the text offered on the clipboard by delayed rendering so that a paste
// is known to be done once the spreadsheet has fetched it, the keystrokes made with SendInput.
// Create it on the thread that runs the program's windows: it answers the clipboard's requests
// through a hidden window of that thread.
std::unique_ptr<TransferSink> createPlatformTransferSink();
