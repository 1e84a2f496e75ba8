#pragma once
// The input connection: XInput2 raw events of every device, on a connection
// of its own, read by the sampler thread in wait_for_input/apply_input.

namespace pendolux::x11 {

// Opens the input connection and selects the raw events. Returns false, after
// a message on standard error, when the server cannot report raw input
// (no XInput 2.2); the program then runs without counting keys and clicks.
bool open_input_connection();

}  // namespace pendolux::x11
