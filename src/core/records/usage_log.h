#pragma once
// Appending usage records to a log file.
#include <cstdint>
#include <string>
#include <vector>

namespace pendolux {

constexpr const char* usage_log_file_name = "log.dat";

// Opens the file for appending (creating it), writes the record with one call
// and closes it again. Silent when the file cannot be opened, is not a plain
// file or is locked by another writer. A record that could be written only in
// part is cut off again, so the file stays a sequence of whole records.
void append_record_to_file(const std::string& path, const std::vector<std::uint8_t>& record);

}  // namespace pendolux
