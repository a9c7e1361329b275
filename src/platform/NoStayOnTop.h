#pragma once

#include "StayOnTop.h"

// For platforms with no window stacking, such as the offscreen one: every request is accepted
// and has no effect.
class NoStayOnTop final : public StayOnTop {
public:
    void setAbove(quintptr, bool) override {}
};
