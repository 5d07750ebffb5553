#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvo::platform {

// Reads at most maxBytes of a file. On failure returns false with a reason in Russian.
bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& reason);

// Writes to the temporary file as the system's write does (bytes written, or -1 with errno set);
// tests inject failures through it.
using WriteFunction = std::ptrdiff_t (*)(int fd, const void* data, std::size_t size);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a failure at any point leaves the old file as it was. Returns false with a reason.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& reason, WriteFunction write = nullptr);

// Whether a file can be created in the folder: it exists, is a folder and may be written.
// On failure returns false with a reason in Russian.
bool FolderTakesNewFiles(const std::string& folder, std::string& reason);

// errno as a short Russian reason.
std::string ReasonOfErrno(int error);

}  // namespace tarvo::platform
