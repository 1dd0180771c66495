#pragma once
// Template files (*.kvx): exactly the 31872 bytes of an image, nothing else.
#include <filesystem>
#include <string>
#include <string_view>

#include "image/kvx_config.h"

namespace kvx {

// Loads a template into Config. Anything but a readable file of exactly 31872 bytes is
// refused with Reason saying why, and Config is left as it was.
bool LoadTemplate(const std::filesystem::path& Path, TKVXConfig& Config, std::string& Reason);

// The image a template's bytes hold: anything but exactly 31872 of them is refused with Reason.
bool TemplateFromBytes(std::string_view Bytes, TKVXConfig& Config, std::string& Reason);
// The bytes of a template file, the password erased.
std::string TemplateBytes(const TKVXConfig& Config);

// The access password's bytes (1792..1823) set to 0xFF, as every file holds them.
void ErasePassword(TKVXConfig& Config);

// Saves whole or not at all: a temporary file beside the target, renamed over it, so a
// failed save never destroys an existing file. The unit's access password never goes into a
// file: bytes 1792..1823 are saved as 0xFF (Config itself keeps them).
bool SaveTemplate(const std::filesystem::path& Path, const TKVXConfig& Config, std::string& Reason);

} // namespace kvx
