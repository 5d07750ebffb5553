#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvo::platform {

// What tells one version of a file from another: a file replaced (another file now under the
// name) or with other bytes gets another stamp; one whose permissions or times alone changed
// does not. The times cannot tell a rewrite within the same clock tick anyway.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t node = 0;
  std::uint64_t size = 0;
  std::uint64_t hashedBytes = 0;  // how many bytes from the start the hash covers
  std::uint64_t contentHash = 0;

  bool operator==(const FileStamp&) const = default;
};

// Reads at most maxBytes of a file, and its stamp when asked. On failure returns false with a
// reason in Russian.
bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& reason, FileStamp* stamp = nullptr);

// Writes to the temporary file as the system's write does (bytes written, or -1 with errno set);
// tests inject failures through it.
using WriteFunction = std::ptrdiff_t (*)(int fd, const void* data, std::size_t size);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a failure at any point leaves the old file as it was. Returns false with a reason.
// With expected, a target that no longer carries that stamp (another program replaced or
// rewrote it) is left alone and the write fails; a target that is gone is written. written
// receives the stamp of the file written.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& reason, WriteFunction write = nullptr,
                         const FileStamp* expected = nullptr, FileStamp* written = nullptr);

// Why a write that found its target changed was refused.
inline constexpr const char* kChangedByAnotherProgram =
    "файл изменен другой программой после того, как был открыт или сохранен";

// Whether a file can be created in the folder: it exists, is a folder and may be written.
// On failure returns false with a reason in Russian.
bool FolderTakesNewFiles(const std::string& folder, std::string& reason);

// Creates the folder and those above it that are missing; true when it exists as a folder.
bool CreateFolders(const std::string& folder, std::string& reason);

// errno as a short Russian reason.
std::string ReasonOfErrno(int error);

}  // namespace tarvo::platform
