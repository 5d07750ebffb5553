#pragma once

#include <string>

#include "model/parameter_set.h"
#include "platform/file_io.h"

namespace tarvo::model {

inline constexpr const char* kUntitledTitle = "Безымянный";

// The one open configuration: the set, its file path, title and the modified and untitled flags.
class ConfigurationDocument {
 public:
  ConfigurationDocument();

  ParameterSet& Set() { return set_; }
  const ParameterSet& Set() const { return set_; }

  const std::string& PathName() const { return pathName_; }
  bool Modified() const { return modified_; }
  // Format version of the file last opened (the file's own, before any upgrade).
  float OpenedFormatVersion() const { return openedVersion_; }
  bool Untitled() const { return untitled_; }
  void SetModified(bool modified) { modified_ = modified; }

  // File name (or "Безымянный") with the " [вычислитель ЛУР-В, исполнение 46]" suffix.
  std::string Title() const;
  // Title, " - " and the application title.
  std::string WindowTitle() const;

  // Clears the path; the title becomes "Безымянный".
  void OnNewDocument();
  // A configuration read from the device: never stored, the path cleared.
  void SetUntitled() {
    untitled_ = true;
    OnNewDocument();
  }
  // A configuration as the new-configuration dialog makes it: unmodified and untitled.
  void NewConfiguration(std::uint8_t executionCode, std::uint8_t softwareVersion = 0);

  // Opens a parameter file. On failure the set, path, title and flags stay as they were and
  // message names the file and the reason.
  bool Open(const std::string& path, std::string& message);
  // Stores the set as a version 1.16 file. On success the path becomes the file and the flags
  // are cleared; on failure the old file and the flags stay as they were. Storing to the file
  // last opened or stored fails when another program has replaced or changed it since.
  bool Store(const std::string& path, std::string& message,
             platform::WriteFunction write = nullptr);
  // Save as: as Store, but the user chose the file to be overwritten, whatever it holds now.
  // A failure leaves the old path and title, so they never name a file that was not written.
  bool StoreAs(const std::string& path, std::string& message);

 private:
  ParameterSet set_;
  std::string pathName_;
  bool modified_ = false;
  bool untitled_ = true;
  bool StoreChecked(const std::string& path, std::string& message, platform::WriteFunction write,
                    const platform::FileStamp* expected);

  float openedVersion_ = 0;
  // The file at the path as last opened or stored.
  platform::FileStamp stamp_;
  bool stampKnown_ = false;
};

// Title suffix for a set, empty for variant 0.
std::string TitleSuffix(const ParameterSet& set);

// File name part of a path.
std::string FileNameOf(const std::string& path);

std::string OpenFailureMessage(const std::string& path, const std::string& reason);
std::string SaveFailureMessage(const std::string& path, const std::string& reason);

}  // namespace tarvo::model
