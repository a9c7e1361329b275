#pragma once

class LookupWindow;

// For tests that drive the program from outside: after every member choice in `window` has been
// handled (value label written, transfer done), in the lists or by the find, prints the value
// label's text on standard output as "choice <text>", so that a test can tell when the choice is
// over and what the label shows without reading the screen. Enabled by ZELK_REPORT_CHOICES.
void reportMemberChoices(LookupWindow& window);
