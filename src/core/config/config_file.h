#pragma once
// config.dat: the byte image of the one record, in the program folder.
#include <string>

#include "core/config/config_record.h"

namespace pendolux {

enum class ConfigLoad { loaded, created };

// Fills config() from config.dat. When the file cannot be opened it is created
// empty and kept open (others may only read it, saves are skipped) until
// close_new_config(), and the first-start defaults are set for the given
// display size.
ConfigLoad load_config(int display_width, int display_height);
void close_new_config();

// Writes the whole record at offset 0 of config.dat, creating it, never
// truncating it. Skipped silently when the file cannot be opened or another
// save or opener holds it.
void save_config();

// The same for an explicit record and file (used by the two above and by tests).
ConfigLoad load_config_file(ConfigRecord& record, const std::string& path, int display_width, int display_height);
void save_config_file(const ConfigRecord& record, const std::string& path);

}  // namespace pendolux
