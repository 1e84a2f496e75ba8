// Pixels put straight into a window over a connection of our own. XCB opens
// it and makes the graphics context; after that each put is one write of the
// request to the socket (XCB would poll the socket before every write).
// Nothing is asked, so nothing comes back but errors, for a window that went
// away; those are read and dropped now and then.
#include <sys/socket.h>
#include <sys/uio.h>
#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/platform.h"

namespace pendolux::x11 {
namespace {

struct PixelConnection {
    bool tried = false;
    int socket = -1;  // -1: none, unusable, or broken
    xcb_gcontext_t gc = XCB_NONE;
    std::uint8_t depth = 0;
    std::size_t max_request_bytes = 0;
    unsigned puts_since_drain = 0;
    std::vector<unsigned char> unsent;  // the rest of a request the socket had no room for
};

PixelConnection pixels;  // callers do not overlap

// The display takes our 0xffRRGGBB words as they lie in memory: 32 bits per
// pixel at depth 24, red/green/blue masks as ours, and our byte order.
bool takes_our_pixels(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    if (screen->root_depth != 24) return false;
    const auto host_order = std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST
                                                                       : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != host_order) return false;
    bool format_ok = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0; xcb_format_next(&formats))
        if (formats.data->depth == 24) format_ok = formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
    if (!format_ok) return false;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem > 0; xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals)) {
            const xcb_visualtype_t& visual = *visuals.data;
            if (visual.visual_id != screen->root_visual) continue;
            return visual.red_mask == 0xFF0000 && visual.green_mask == 0x00FF00 && visual.blue_mask == 0x0000FF;
        }
    }
    return false;
}

void open_pixel_connection() {
    pixels.tried = true;
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0 || !takes_our_pixels(setup, screens.data)) {
        xcb_disconnect(connection);
        return;
    }
    pixels.gc = xcb_generate_id(connection);
    xcb_create_gc(connection, pixels.gc, screens.data->root, 0, nullptr);
    if (xcb_flush(connection) <= 0) {
        xcb_disconnect(connection);
        return;
    }
    pixels.depth = screens.data->root_depth;
    pixels.max_request_bytes = std::size_t{setup->maximum_request_length} * 4;
    // The connection stays open for the life of the process; only its socket is used.
    pixels.socket = xcb_get_file_descriptor(connection);
}

void drop_errors() {
    std::array<unsigned char, 4096> discard{};
    while (::recv(pixels.socket, discard.data(), discard.size(), MSG_DONTWAIT) > 0) {
    }
    pixels.puts_since_drain = 0;
}

bool connection_ready() {
    if (!pixels.tried) open_pixel_connection();
    return pixels.socket >= 0;
}

// Whether the window has the depth our pixels and graphics context are made
// for (a window with another visual would refuse every put). Asked over a
// connection of its own: on ours XCB no longer knows the requests sent.
bool has_root_depth(xcb_window_t window) {
    if (window == XCB_NONE) return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool same = false;
    if (xcb_connection_has_error(connection) == 0) {
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
        same = geometry != nullptr && geometry->depth == pixels.depth;
        std::free(geometry);
    }
    xcb_disconnect(connection);
    return same;
}

enum class Sent { all, later, broken };

// Sends what the socket takes now, and waits for room only when allowed to.
Sent send_parts(iovec* parts, int count, bool may_wait) {
    while (count > 0) {
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = static_cast<std::size_t>(count);
        // No SIGPIPE when the display has gone away: the program ends in order.
        const ssize_t sent = ::sendmsg(pixels.socket, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN) return Sent::broken;
            if (!may_wait) break;
            pollfd writable{pixels.socket, POLLOUT, 0};
            if (::poll(&writable, 1, -1) < 0 && errno != EINTR) return Sent::broken;
            continue;
        }
        auto left = static_cast<std::size_t>(sent);
        while (count > 0 && left >= parts->iov_len) {
            left -= parts->iov_len;
            ++parts;
            --count;
        }
        if (count > 0) {
            parts->iov_base = static_cast<unsigned char*>(parts->iov_base) + left;
            parts->iov_len -= left;
        }
    }
    // A request cut short stays in the stream: its rest goes first next time.
    for (int i = 0; i < count; ++i) {
        const auto* from = static_cast<const unsigned char*>(parts[i].iov_base);
        pixels.unsent.insert(pixels.unsent.end(), from, from + parts[i].iov_len);
    }
    return count == 0 ? Sent::all : Sent::later;
}

// The rest of a request cut short, before anything else.
Sent send_unsent(bool may_wait) {
    if (pixels.unsent.empty()) return Sent::all;
    std::vector<unsigned char> rest;
    rest.swap(pixels.unsent);
    iovec part{rest.data(), rest.size()};
    return send_parts(&part, 1, may_wait);
}

// One PutImage of `rows` rows starting at `first`.
Sent put_rows(xcb_window_t window, int x, int y, int width, int rows, const std::uint32_t* first, int row_pixels,
              bool may_wait) {
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
    xcb_put_image_request_t request{};
    request.major_opcode = XCB_PUT_IMAGE;
    request.format = XCB_IMAGE_FORMAT_Z_PIXMAP;
    request.length = static_cast<std::uint16_t>((sizeof request + row_bytes * static_cast<std::size_t>(rows)) / 4);
    request.drawable = window;
    request.gc = pixels.gc;
    request.width = static_cast<std::uint16_t>(width);
    request.height = static_cast<std::uint16_t>(rows);
    request.dst_x = static_cast<std::int16_t>(x);
    request.dst_y = static_cast<std::int16_t>(y);
    request.depth = pixels.depth;
    constexpr int max_parts = 65;
    std::array<iovec, max_parts> parts{};
    parts[0] = {&request, sizeof request};
    int count = 1;
    if (row_pixels == width) {  // rows lie back to back: one piece
        parts[count++] = {const_cast<std::uint32_t*>(first), row_bytes * static_cast<std::size_t>(rows)};
    } else {
        for (int row = 0; row < rows; ++row)
            parts[count++] = {const_cast<std::uint32_t*>(first + static_cast<std::ptrdiff_t>(row) * row_pixels),
                              row_bytes};
    }
    return send_parts(parts.data(), count, may_wait);
}

}  // namespace
}  // namespace pendolux::x11

namespace pendolux::platform {

bool can_show_pixels(std::uintptr_t native_window) {
    using namespace x11;
    return connection_ready() && has_root_depth(static_cast<xcb_window_t>(native_window));
}

bool show_pixels(std::uintptr_t native_window, int x, int y, int width, int height, const std::uint32_t* pixels_in,
                 int row_pixels, bool may_wait) {
    using namespace x11;
    if (!connection_ready()) return false;
    if (native_window == 0 || width <= 0 || height <= 0 || pixels_in == nullptr || row_pixels < width ||
        width > 0x7FFF || height > 0x7FFF)
        return true;  // nothing to show
    if (++pixels.puts_since_drain >= 64) drop_errors();
    // As many rows per request as the server takes (and as one write carries).
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
    const std::size_t room = pixels.max_request_bytes - sizeof(xcb_put_image_request_t);
    const int rows_per_request = static_cast<int>(std::min<std::size_t>(room / row_bytes, 64));
    if (rows_per_request == 0) return true;
    Sent sent = send_unsent(may_wait);
    const auto window = static_cast<xcb_window_t>(native_window);
    for (int row = 0; row < height && sent == Sent::all; row += rows_per_request) {
        const int rows = std::min(rows_per_request, height - row);
        sent = put_rows(window, x, y + row, width, rows, pixels_in + static_cast<std::ptrdiff_t>(row) * row_pixels,
                        row_pixels, may_wait);
    }
    if (sent == Sent::broken) pixels.socket = -1;  // the display went away
    return sent == Sent::all;
}

}  // namespace pendolux::platform
