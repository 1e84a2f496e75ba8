#pragma once
// Process-wide state of the application shell: the one record and where the
// program's files live.
#include <string>
#include <string_view>

#include "core/config/config_record.h"

namespace pendolux {

// The one ConfigRecord of the process.
ConfigRecord& config();

// The folder of the program's own executable, with a trailing '/'. Every file
// of the program is addressed in it, whatever the working directory is.
const std::string& program_folder();
void set_program_folder(std::string folder);
std::string program_file_path(std::string_view name);  // program folder + name

}  // namespace pendolux
