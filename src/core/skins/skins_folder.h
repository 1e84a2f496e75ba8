#pragma once
// The skins folder beside the program and the skin files listed in it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pendolux {

std::string skins_folder_path();                       // program folder + "skins"
std::string skin_file_path(std::string_view entry);    // program folder + "skins/" + entry + ".pxk"

// The "*.pxk" entries of a folder in the order the file system returns them,
// each without its last four characters (".pxk" alone gives the empty name).
// No result when the folder cannot be listed.
std::optional<std::vector<std::string>> list_skin_files(const std::string& folder);

// Lists the skins folder; when it cannot be listed, creates it (one level, not
// its parents) and gives no names.
std::vector<std::string> list_or_create_skins_folder();

// Start-up: makes sure the skins folder exists.
void ensure_skins_folder();

}  // namespace pendolux
