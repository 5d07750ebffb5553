#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/parameter_set.h"
#include "platform/progress.h"
#include "shell/configuration_diff.h"

namespace tarvo::shell {

enum class WritePhase { Backup, Write, Verify };

// As the write dialog and the console name each phase.
const char* PhaseName(WritePhase phase);

inline constexpr const char* kVerifyMismatch = "Вычислитель хранит не то, что было записано:";
inline constexpr const char* kBackupFailedNothingWritten =
    "Копия конфигурации вычислителя не сохранена: в вычислитель ничего не записано.";
inline constexpr const char* kVerifyUnfinished =
    "Параметры записаны, но проверка записанного не закончена: что хранит вычислитель, не "
    "известно.";
inline constexpr const char* kKeptByDevice =
    "Не заданы в файле, вычислитель хранит свои прежние значения:";
inline constexpr const char* kBackupSaved = "Копия конфигурации вычислителя сохранена: ";
inline constexpr const char* kDeviceHoldsWritten = "Вычислитель хранит записанную конфигурацию.";

// The device procedures the flow runs, each on the port and speed of the set it is given. Each
// shows its own messages (a stop, a fault on the line) and counts its requests on the progress.
struct WriteProcedures {
  std::function<bool(model::ParameterSet& into, platform::Progress* bar)> read;
  std::function<bool(const model::ParameterSet& set, platform::Progress* bar)> write;
};

struct SafeWriteOptions {
  bool backup = true;
  bool verify = true;
  std::string backupFolder;
  std::string portName;     // for backups.log: "COM1" or the device path
  std::string writtenFile;  // the file written, for backups.log
  std::time_t now = 0;      // names the copy; 0 for the present moment
  // Told as each phase begins.
  std::function<void(WritePhase)> phaseStarted;
};

enum class SafeWriteOutcome {
  Written,           // written, and verified unless the options left it out
  BackupFailed,      // the copy was not read or not saved: nothing was written
  WriteFailed,       // stopped or failed as a plain write is
  VerifyUnfinished,  // written, the read-back stopped or failed
  Mismatch,          // the device holds something else than was sent
};

struct SafeWriteResult {
  SafeWriteOutcome outcome = SafeWriteOutcome::WriteFailed;
  bool verified = false;
  std::string backupPath;  // the copy saved, empty when none was
  // What the flow itself has to say beyond the procedures' own messages; empty when nothing.
  std::string message;
  // The set written (first) against the set read back (second): sent but held differently...
  std::vector<DifferentForm> mismatches;
  // ...and left not set in the file, held as the device had it.
  std::vector<DifferentForm> kept;
  // What the device holds after a completed verification (the differences window shows it).
  std::shared_ptr<const model::ParameterSet> readBack;
};

// Backup, write, verify: one progress over all phases. Nothing is written unless the copy asked
// for was saved.
SafeWriteResult SafeWrite(const model::ParameterSet& set, const SafeWriteOptions& options,
                          const WriteProcedures& procedures, platform::Progress* bar);

// What the device should hold after writing the set into a device that held held: the set, with
// the report texts the write does not send (those turned off, all of them on a device without
// texts) as the device holds them.
std::unique_ptr<model::ParameterSet> ExpectedAfterWrite(const model::ParameterSet& written,
                                                        const model::ParameterSet& held);

// Splits the differences between the set written and the set read back into values the device
// holds other than expected and values the write did not send (not set in the file, texts
// turned off), which the device kept.
void SplitVerification(const std::vector<DifferentForm>& differences,
                       const std::vector<DifferentForm>& unexpected,
                       std::vector<DifferentForm>& mismatches, std::vector<DifferentForm>& kept);

}  // namespace tarvo::shell
