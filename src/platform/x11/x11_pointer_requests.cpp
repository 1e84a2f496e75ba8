// Pointer positions asked for without waiting: the sampler asks on one cycle
// and reads the answer on a later one, so no thread ever sleeps just for it.
// XCB opens the connection (address, authorisation, setup); after that the
// requests and answers go straight through the socket, because every XCB
// write first polls the socket, doubling the system calls of each request.
// Nobody else uses this connection and nothing polls it, so an answer
// arriving wakes no thread.
#include <sys/socket.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "platform/platform.h"
#include "platform/x11/x11_pointer_requests.h"

namespace pendolux::x11 {
namespace {

constexpr std::size_t unit = 32;  // every reply, error and core event is 32 bytes plus its length
constexpr std::uint8_t error_type = 0;
constexpr std::uint8_t reply_type = 1;
constexpr std::uint8_t generic_event_type = 35;

struct PointerConnection {
    int socket = -1;  // -1: none, or broken
    xcb_window_t root = XCB_NONE;
    bool asked = false;
    std::array<unsigned char, 4096> received{};
    std::size_t received_size = 0;
};

std::mutex request_lock;
PointerConnection pointer;  // guarded by request_lock

void give_up() { pointer.socket = -1; }

// The length of the message at the front of what was received, once it is whole.
std::size_t whole_message_size() {
    if (pointer.received_size < unit) return 0;
    const std::uint8_t type = pointer.received[0] & 0x7F;
    std::size_t size = unit;
    if (type == reply_type || type == generic_event_type) {
        std::uint32_t extra_words = 0;
        std::memcpy(&extra_words, &pointer.received[4], sizeof extra_words);
        size += std::size_t{extra_words} * 4;
    }
    if (size > pointer.received.size()) {
        give_up();  // nothing we ask for is that long
        return 0;
    }
    return size <= pointer.received_size ? size : 0;
}

}  // namespace

void open_pointer_requests() {
    std::lock_guard guard(request_lock);
    if (pointer.socket >= 0) return;
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return;
    }
    pointer.root = screens.data->root;
    // The connection stays open for the life of the process; only its socket is used.
    pointer.socket = xcb_get_file_descriptor(connection);
}

}  // namespace pendolux::x11

namespace pendolux::platform {

void request_pointer_position() {
    using namespace x11;
    std::lock_guard guard(request_lock);
    if (pointer.socket < 0 || pointer.asked) return;  // one question at a time
    xcb_query_pointer_request_t request{};
    request.major_opcode = XCB_QUERY_POINTER;
    request.length = sizeof request / 4;
    request.window = pointer.root;
    const ssize_t sent = ::send(pointer.socket, &request, sizeof request, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent == static_cast<ssize_t>(sizeof request)) {
        pointer.asked = true;
    } else if (sent >= 0 || (errno != EAGAIN && errno != EINTR)) {
        give_up();  // a partial request would garble the stream
    }
}

bool take_pointer_position(Point& position) {
    using namespace x11;
    std::lock_guard guard(request_lock);
    if (pointer.socket < 0 || !pointer.asked) return false;
    const ssize_t got = ::recv(pointer.socket, pointer.received.data() + pointer.received_size,
                               pointer.received.size() - pointer.received_size, MSG_DONTWAIT);
    if (got > 0) {
        pointer.received_size += static_cast<std::size_t>(got);
    } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
        give_up();  // the display went away
        return false;
    }
    bool answered = false;
    for (std::size_t size = whole_message_size(); size != 0; size = whole_message_size()) {
        const std::uint8_t type = pointer.received[0] & 0x7F;
        if (type == reply_type) {
            xcb_query_pointer_reply_t reply;
            std::memcpy(&reply, pointer.received.data(), sizeof reply);
            pointer.asked = false;
            // On another screen the answer still holds that screen's root position.
            if (reply.root != XCB_NONE) {
                position = {reply.root_x, reply.root_y};
                answered = true;
            }
        } else if (type == error_type) {
            pointer.asked = false;
        }  // events (the server sends some to every client) are skipped
        std::memmove(pointer.received.data(), pointer.received.data() + size, pointer.received_size - size);
        pointer.received_size -= size;
    }
    return answered;
}

}  // namespace pendolux::platform
