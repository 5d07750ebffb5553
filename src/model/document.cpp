#include "model/document.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/par_file.h"
#include "platform/application_title.h"
#include "platform/file_io.h"

namespace tarvo::model {

ConfigurationDocument::ConfigurationDocument() {
  set_ = ParameterSet{};
  set_.Reset();
}

std::string TitleSuffix(const ParameterSet& set) {
  const DeviceVariant variant = set.Variant();
  if (variant == DeviceVariant::None) return {};
  char code[8];
  std::snprintf(code, sizeof code, "%02X", set.ident.executionCode);
  return " [вычислитель " + VariantName(variant) + ", исполнение " + code + "]";
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string OpenFailureMessage(const std::string& path, const std::string& reason) {
  return "Не удалось открыть файл параметров «" + path + "»: " + reason + ".";
}

std::string SaveFailureMessage(const std::string& path, const std::string& reason) {
  return "Не удалось сохранить файл параметров «" + path + "»: " + reason + ".";
}

std::string ConfigurationDocument::Title() const {
  const std::string base = pathName_.empty() ? kUntitledTitle : FileNameOf(pathName_);
  return base + TitleSuffix(set_);
}

std::string ConfigurationDocument::WindowTitle() const {
  return Title() + " - " + platform::kApplicationTitle;
}

void ConfigurationDocument::OnNewDocument() {
  pathName_.clear();
  stampKnown_ = false;
}

void ConfigurationDocument::NewConfiguration(std::uint8_t executionCode,
                                             std::uint8_t softwareVersion) {
  MakeNewConfiguration(set_, executionCode, softwareVersion);
  modified_ = false;
  untitled_ = true;
  OnNewDocument();
}

bool ConfigurationDocument::Open(const std::string& path, std::string& message) {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  platform::FileStamp stamp;
  // A newer format is read as 1.16, so nothing past a 1.16 file's size is ever needed.
  if (!platform::ReadFileBytes(path, kParFileSize, bytes, reason, &stamp)) {
    message = OpenFailureMessage(path, reason);
    return false;
  }
  const ParReadResult result = ReadParameterBytes(bytes, set_);
  if (!result.ok) {
    message = OpenFailureMessage(path, result.reason);
    return false;
  }
  pathName_ = path;
  modified_ = false;
  untitled_ = false;
  openedVersion_ = result.version;
  stamp_ = stamp;
  stampKnown_ = true;
  return true;
}

bool ConfigurationDocument::Store(const std::string& path, std::string& message,
                                  platform::WriteFunction write) {
  const bool sameFile = stampKnown_ && path == pathName_;
  return StoreChecked(path, message, write, sameFile ? &stamp_ : nullptr);
}

bool ConfigurationDocument::StoreAs(const std::string& path, std::string& message) {
  return StoreChecked(path, message, nullptr, nullptr);
}

bool ConfigurationDocument::StoreChecked(const std::string& path, std::string& message,
                                         platform::WriteFunction write,
                                         const platform::FileStamp* expected) {
  std::string reason;
  platform::FileStamp written;
  if (!platform::WriteFileAtomically(path, WriteParameterBytes(set_), reason, write, expected,
                                     &written)) {
    message = SaveFailureMessage(path, reason);
    return false;
  }
  stamp_ = written;
  stampKnown_ = true;
  pathName_ = path;
  modified_ = false;
  untitled_ = false;
  return true;
}

}  // namespace tarvo::model
