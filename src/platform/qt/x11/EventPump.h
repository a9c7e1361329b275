#pragma once

// Runs the event loop for about `milliseconds`, leaving user input queued. While the transfer
// waits for the spreadsheet, this keeps the process answering its clipboard requests without
// letting the user start another action in the middle.
void pumpEventsFor(int milliseconds);
