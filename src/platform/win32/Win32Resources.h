#pragma once

// Resource identifiers of zelk.exe, shared by its resource script and its code.
#define IDI_ZELK 1
