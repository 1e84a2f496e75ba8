#pragma once
// Where the meter face puts its captions and values (pixels from the top left;
// each anchor is the top-left corner of the text's first character cell).
namespace pendolux::face_layout {

inline constexpr int face_size = 100;

struct TextPlace {
    int x;
    int y;
};

inline constexpr const char* distance_caption = "Strecke";
inline constexpr const char* clicks_caption = "Mausklicks";
inline constexpr const char* keystrokes_caption = "Tastenanschl\xE4ge";  // Windows-1252

inline constexpr TextPlace distance_caption_place{30, 6};
inline constexpr TextPlace distance_value_place{3, 18};
inline constexpr TextPlace clicks_caption_place{24, 34};
inline constexpr TextPlace clicks_value_place{0, 46};
inline constexpr TextPlace keystrokes_caption_place{8, 62};
inline constexpr TextPlace keystrokes_value_place{0, 74};

inline constexpr int label_font_points = 8;
inline constexpr int value_font_points = 11;

// Character height in pixels for a size in points, as MulDiv(points, dpi, 72) rounds.
int font_pixel_height(int points, int logical_dpi);

// The meter's shape: a 100 x 100 round rectangle with 40 x 40 corner ellipses.
bool meter_shape_contains(int x, int y);

}  // namespace pendolux::face_layout
