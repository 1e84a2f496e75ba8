#pragma once
// How the dialog reads what was typed: never an error, unreadable text is 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace pendolux {

// Field 1 is the text before the first colon (all of it when there is none),
// field 2 the text between the first and second colon; missing fields are empty.
std::string_view colon_field(std::string_view text, int field);

// Blanks and tabs, an optional sign, then decimal digits ('$' hex, '%' binary)
// up to the first other character, computed in 64 bits; only the low 8 bits
// are kept, as a signed byte ("200" gives -56).
std::int8_t read_integer_byte(std::string_view text);

// C-locale reading whatever the process locale is: white space, sign, digits
// with '.' as the decimal point, optional exponent; stops at the first
// character that does not fit ("21,6" gives 21.0). Nothing readable gives 0.0,
// a value beyond the double range gives +-HUGE_VAL. No "inf", "nan" or hex.
double read_real(std::string_view text);

// The diagonal as shown in the boxes: "%.10f" without locale, cut to 4 characters.
std::string diagonal_text(double diagonal);

// "x:y" from the signed aspect bytes.
std::string aspect_text(std::int8_t aspect_x, std::int8_t aspect_y);

}  // namespace pendolux
