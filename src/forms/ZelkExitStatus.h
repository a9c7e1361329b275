#pragma once

// Exit statuses of the zelk program.
enum ZelkExitStatus : int {
    ZelkExitOk = 0,
    ZelkExitCatalogueMissing = 1, // the catalogue file was missing or unreadable; the window closed
    ZelkExitCatalogueFault = 2,   // a catalogue header line carried the wrong tag
    ZelkExitNoDisplay = 3,        // no window system to show the window on
    ZelkExitGeneratorFault = 4,   // the coefficient generator met a member it cannot compute
};
