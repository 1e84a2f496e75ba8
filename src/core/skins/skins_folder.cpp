#include "core/skins/skins_folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "core/config/program_state.h"

namespace pendolux {
namespace {
constexpr std::string_view skin_extension = ".pxk";

bool has_skin_extension(std::string_view name) {
    return name.size() >= skin_extension.size() && name.ends_with(skin_extension);
}
}  // namespace

std::string skins_folder_path() { return program_file_path("skins"); }

std::string skin_file_path(std::string_view entry) {
    std::string path = program_file_path("skins/");
    path.append(entry);
    path.append(skin_extension);
    return path;
}

std::optional<std::vector<std::string>> list_skin_files(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (has_skin_extension(name)) names.emplace_back(name.substr(0, name.size() - skin_extension.size()));
    }
    return names;
}

std::vector<std::string> list_or_create_skins_folder() {
    const std::string folder = skins_folder_path();
    if (auto names = list_skin_files(folder)) return std::move(*names);
    ::mkdir(folder.c_str(), 0755);
    return {};
}

void ensure_skins_folder() { list_or_create_skins_folder(); }

}  // namespace pendolux
