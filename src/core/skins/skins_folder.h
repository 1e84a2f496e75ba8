#pragma once
namespace pendolux {
// Start-up: makes sure the skins folder exists in the program folder (one level).
void ensure_skins_folder();
}  // namespace pendolux
