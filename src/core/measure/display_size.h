#pragma once
// The primary display's size, read once at start-up and used by every
// calibration and by the first-start window position.
namespace pendolux {
int display_width();
int display_height();
void set_display_size(int width, int height);
}  // namespace pendolux
