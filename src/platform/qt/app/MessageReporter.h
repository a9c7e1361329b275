#pragma once

// For tests that drive the program from outside: each time a message box comes up, prints its text
// on standard output as "message <text>", line breaks written as "\n", so that a test can tell
// what the user was told without reading the screen. Enabled by ZELK_REPORT_MESSAGES.
void reportMessages();
