#pragma once
// The Windows-style asynchronous key state, fed by the thread that reads the
// input events and read by any thread. X-free, so it is tested without a server.
#include <cstdint>

#include "platform/x11/key_translation.h"

namespace pendolux::x11::key_state {

// Reading thread: a key or button went down or up. Each code is down while any
// key that reports it is down, so the generic Shift stays down until both
// Shift keys are up, and only its first press counts as a press.
void press(const VirtualKeys& keys);
void release(const VirtualKeys& keys);
bool is_down(int code);

// Any thread: 0x8000 while down, 0x0001 when pressed since this thread's
// previous query of the code; 0 for codes outside 1-255.
std::int16_t query(int code);

// Forgets every key and press, as at start. For tests.
void clear();

}  // namespace pendolux::x11::key_state
