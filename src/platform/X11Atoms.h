#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

// Small synchronous helpers over xcb for the window search and the keyboard.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name);

// The 32-bit values of a window property of the given type (any type when XCB_ATOM_ANY); empty
// when the window has no such property.
std::vector<uint32_t> PropertyValues32(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                       xcb_atom_t type);

// The bytes of a window property and its type.
QByteArray PropertyBytes(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                         xcb_atom_t* type = nullptr);
