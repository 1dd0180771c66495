#pragma once
// The unit's memory kept in a file across runs: 65536 bytes, or a 31872-byte template
// (the configuration image alone), saved back in the size it was found in.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvx::sim {

inline constexpr size_t TemplateFileSize = 31872;

struct TMemoryFile {
    std::string Path;
    size_t SaveSize = 0; // bytes written back: the whole memory or the template
};

// Lays the file over Memory (65536 bytes). A missing file is taken as a new one, written on
// the first save. A file of another size, or one that cannot be read, changes nothing and
// gives false with Error set.
bool LoadMemoryFile(const std::string& Path, std::vector<uint8_t>& Memory, TMemoryFile& File, std::string& Error);

// Writes the file whole or not at all: a temporary file beside it, then a rename over it.
bool SaveMemoryFile(const TMemoryFile& File, const std::vector<uint8_t>& Memory, std::string& Error);

} // namespace kvx::sim
