#include "app/cli/output_file.h"

#include <cstdlib>
#include <filesystem>

#include "platform/file_io.h"
#include "platform/port_map.h"
#include "platform/utf8_path.h"

namespace tarvo::app {

namespace {

using platform::PathFromUtf8;
using platform::Utf8OfPath;

std::string FolderOf(const std::string& path) {
  const std::string folder = Utf8OfPath(PathFromUtf8(path).parent_path());
  return folder.empty() ? "." : folder;
}

std::vector<std::string> FallbackFolders() {
  std::vector<std::string> folders;
  const std::string home =
      platform::HomeFolder([](const char* name) -> const char* { return std::getenv(name); });
  if (!home.empty()) folders.push_back(home);
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (!error) folders.push_back(Utf8OfPath(temporary));
  return folders;
}

// The file's name in the folder, numbered when a file of that name is already there.
std::optional<std::string> FreeNameIn(const std::string& folder, const std::string& path) {
  const std::filesystem::path name = PathFromUtf8(path).filename();
  for (int number = 1; number <= 100; ++number) {
    std::filesystem::path candidate = PathFromUtf8(folder) / name;
    if (number > 1) {
      candidate.replace_filename(PathFromUtf8(
          Utf8OfPath(name.stem()) + "-" + std::to_string(number) + Utf8OfPath(name.extension())));
    }
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) {
      return Utf8OfPath(candidate);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OutputFileRefusal(const std::string& path, bool force) {
  std::error_code error;
  if (std::filesystem::is_directory(PathFromUtf8(path), error)) {
    return "«" + path + "» — папка. Задайте имя файла параметров.";
  }
  if (!force && std::filesystem::exists(PathFromUtf8(path), error)) {
    return "Файл «" + path + "» уже существует. Чтобы заменить его, добавьте --force.";
  }
  std::string reason;
  if (!platform::FolderTakesNewFiles(FolderOf(path), reason)) {
    return "Файл «" + path + "» нельзя записать в папку «" + FolderOf(path) + "»: " + reason + ".";
  }
  return std::nullopt;
}

std::optional<std::string> StoreInFallbackFolder(model::ConfigurationDocument& document,
                                                 const std::string& path) {
  for (const std::string& folder : FallbackFolders()) {
    std::string reason;
    if (!platform::FolderTakesNewFiles(folder, reason)) continue;
    const auto fallback = FreeNameIn(folder, path);
    std::string message;
    if (fallback && document.Store(*fallback, message)) return fallback;
  }
  return std::nullopt;
}

}  // namespace tarvo::app
