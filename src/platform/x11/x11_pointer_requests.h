#pragma once
// The connection for the sampler's pointer requests (request_pointer_position).

namespace pendolux::x11 {

// Opens it; without it the requests are never answered and no travel is measured.
void open_pointer_requests();

}  // namespace pendolux::x11
