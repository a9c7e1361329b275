#pragma once

#include "link/TransferSink.h"

#include <memory>

// The spreadsheet link of the display the application runs on: the X11 sink on an X display
// (XWayland included), and elsewhere (a native Wayland session, the offscreen platform of the
// window tests) a sink that finds no spreadsheet window, so that a transfer ends after the value
// label as it does when no spreadsheet runs. Needs the QGuiApplication to exist.
std::unique_ptr<TransferSink> createPlatformTransferSink();
