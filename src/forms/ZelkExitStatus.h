#pragma once

// Exit statuses of the zelk program, the same for every front end.
enum class ZelkExitStatus : int {
    Ok = 0,
    CatalogueMissing = 1, // the catalogue file was missing or unreadable; the window closed
    CatalogueFault = 2,   // a catalogue header line carried the wrong tag
    NoDisplay = 3,        // no window system to show the window on
    GeneratorFault = 4,   // the coefficient generator met a member it cannot compute
};
