#include "core/skins/skins_folder.h"

#include <sys/stat.h>

#include "core/config/program_state.h"

namespace pendolux {
void ensure_skins_folder() {
    // One level only, never the parents; an existing folder is left as it is.
    ::mkdir(program_file_path("skins").c_str(), 0755);
}
}  // namespace pendolux
