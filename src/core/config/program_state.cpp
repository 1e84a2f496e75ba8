#include "core/config/program_state.h"

namespace pendolux {
namespace {
std::string& folder_storage() {
    static std::string folder;
    return folder;
}
}  // namespace

ConfigRecord& config() {
    static ConfigRecord record;
    return record;
}

const std::string& program_folder() { return folder_storage(); }

void set_program_folder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder.push_back('/');
    folder_storage() = std::move(folder);
}

std::string program_file_path(std::string_view name) { return program_folder() + std::string(name); }

}  // namespace pendolux
