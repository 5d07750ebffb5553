#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "model/parameter_set.h"

namespace tarvo::shell {

// The folder the copies of the devices' configurations are kept in, under the data folder.
std::string BackupFolder(const std::string& dataFolder);

// One copy as backups.log records it.
struct BackupEntry {
  std::string time;  // local, "2026-12-09 10:15:42"
  std::string port;  // "COM1" or a device path
  int baud = 0;
  std::uint8_t executionCode = 0;
  std::uint8_t softwareVersion = 0;
  std::string writtenFile;  // the file whose write the copy was saved before
  std::string path;         // the copy itself
};

// "2026-12-09_101542_47.par": sorted by name, the copies stand in the order they were made.
std::string BackupFileName(std::time_t moment, std::uint8_t executionCode);

// Creates the folder when missing; false with the message when it cannot be, before a read of
// minutes is spent on a copy that could not be kept.
bool MakeBackupFolder(const std::string& folder, std::string& message);

// Saves the configuration read from the device as a parameter file in the folder, created when
// missing, and adds its line to backups.log there. The path of the copy, or empty with the
// reason in message.
std::string SaveBackup(const model::ParameterSet& held, const std::string& folder,
                       std::time_t moment, const std::string& port, const std::string& writtenFile,
                       std::string& message);

// "ЛУР-Г, исполнение 47, версия ПО 53": the device a copy was read from.
std::string BackupDeviceText(const BackupEntry& entry);
// "COM2, 9600 бод".
std::string BackupPortText(const BackupEntry& entry);
// What a list of copies says when the folder has none.
std::string NoBackupsText(const std::string& folder);

// The copies backups.log lists whose file is still there, newest first. A folder without a log
// has none; a line that is not one of ours is passed over.
std::vector<BackupEntry> ListBackups(const std::string& folder);

}  // namespace tarvo::shell
