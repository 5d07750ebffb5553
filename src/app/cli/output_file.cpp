#include "app/cli/output_file.h"

#include <cstdlib>
#include <filesystem>

#include "platform/file_io.h"

namespace tarvo::app {

namespace {

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

std::vector<std::string> FallbackFolders() {
  std::vector<std::string> folders;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folders.emplace_back(home);
  }
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (!error) folders.push_back(temporary.string());
  return folders;
}

// The file's name in the folder, numbered when a file of that name is already there.
std::optional<std::string> FreeNameIn(const std::string& folder, const std::string& path) {
  const std::filesystem::path name = std::filesystem::path(path).filename();
  for (int number = 1; number <= 100; ++number) {
    std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (number > 1) {
      candidate.replace_filename(name.stem().string() + "-" + std::to_string(number) +
                                 name.extension().string());
    }
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) {
      return candidate.string();
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OutputFileRefusal(const std::string& path, bool force) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return "«" + path + "» — папка. Задайте имя файла параметров.";
  }
  if (!force && std::filesystem::exists(path, error)) {
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
