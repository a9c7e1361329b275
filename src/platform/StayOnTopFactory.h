#pragma once

#include "StayOnTop.h"

#include <memory>

// The implementation for the window system the application runs on: X11 or Windows; on a
// platform without stacking (offscreen, for instance) requests are accepted and change nothing.
// Needs a QGuiApplication.
std::unique_ptr<StayOnTop> createStayOnTop();
