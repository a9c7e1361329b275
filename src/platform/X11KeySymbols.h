#pragma once

#include "lookup/KeySequence.h"

#include <xcb/xcb.h>

// The X keysym of a keystroke's key: the named key's keysym, or the keysym of the character
// (Latin-1 keysyms equal their code points; every other character has the keysym 0x1000000 + code).
xcb_keysym_t KeysymOf(const KeyStroke& stroke);
