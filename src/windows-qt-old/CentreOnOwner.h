#pragma once

class QWidget;

// Puts the top-level `window` so that its client area is centred on the client area of the
// window that owns it (its parent's window), kept inside the owner's screen. Nothing happens
// for a window without an owner.
void centreOnOwner(QWidget& window);
