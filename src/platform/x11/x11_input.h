#pragma once
// The input thread: XInput2 raw events of every device, on a connection of its own.

namespace pendolux::x11 {

// Opens the input connection and starts the thread. Returns false, after a
// message on standard error, when the server cannot report raw input
// (no XInput 2.2); the program then runs without counting.
bool start_input_thread();

}  // namespace pendolux::x11
