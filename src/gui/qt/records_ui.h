#pragma once
// Object names of the records' message boxes, so that tests can find them.
namespace pendolux::gui {

inline constexpr const char* reset_question_object_name = "reset_question";
inline constexpr const char* info_box_object_name = "info_box";

}  // namespace pendolux::gui
