#pragma once

class QWidget;

// For tests that drive the program from outside: after every member choice in the list `lstnum`
// of `window` has been handled (value label written, transfer done), prints the value label's
// text on standard output as "choice <text>", so that a test can tell when the choice is over and
// what the label shows without reading the screen. Enabled by ZELK_REPORT_CHOICES.
void reportMemberChoices(QWidget& window);
