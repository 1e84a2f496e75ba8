#pragma once
// Our own Xlib connections (queries, input). When the display goes away,
// Xlib would end the process from whichever thread noticed first; for these
// connections it only marks them lost, so the front end ends the program
// in order, after saving.
#include <X11/Xlib.h>

namespace pendolux::x11 {

// Takes over the I/O error handling of a connection opened by this layer.
void adopt_connection(Display* display);
// True once an I/O error hit the connection; it must not be used any more.
bool connection_lost(Display* display);

}  // namespace pendolux::x11
