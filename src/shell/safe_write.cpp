#include "shell/safe_write.h"

#include <memory>

#include "model/value_text.h"

#include "shell/configuration_backups.h"
#include "shell/exchange_flows.h"
#include "shell/phased_progress.h"

namespace tarvo::shell {

namespace {

// The write never sends a value the file leaves not set.
bool LeftNotSet(const DifferentRow& row) {
  return row.first && *row.first == model::FormatValue(model::Float32::NotSet()) && row.second;
}

}  // namespace

const char* PhaseName(WritePhase phase) {
  switch (phase) {
    case WritePhase::Backup:
      return "Сохранение копии конфигурации вычислителя...";
    case WritePhase::Write:
      return "Запись параметров...";
    case WritePhase::Verify:
      return "Проверка записанного...";
  }
  return "";
}

void SplitVerification(const std::vector<DifferentForm>& differences,
                       std::vector<DifferentForm>& mismatches, std::vector<DifferentForm>& kept) {
  for (const DifferentForm& form : differences) {
    DifferentForm different = form;
    DifferentForm notSet = form;
    different.rows.clear();
    notSet.rows.clear();
    for (const DifferentRow& row : form.rows) {
      // A form only one side shows differs as a whole: its rows are never merely kept.
      (form.presence == Presence::Both && LeftNotSet(row) ? notSet : different).rows.push_back(row);
    }
    if (!different.rows.empty() || form.presence != Presence::Both) {
      mismatches.push_back(std::move(different));
    }
    if (!notSet.rows.empty()) kept.push_back(std::move(notSet));
  }
}

SafeWriteResult SafeWrite(const model::ParameterSet& set, const SafeWriteOptions& options,
                          const WriteProcedures& procedures, platform::Progress* bar) {
  SafeWriteResult result;
  PhasedProgress progress(bar, 1 + (options.backup ? 1 : 0) + (options.verify ? 1 : 0));
  auto begin = [&](WritePhase phase) {
    progress.BeginPhase(phase != WritePhase::Write);
    if (options.phaseStarted) options.phaseStarted(phase);
  };

  if (options.backup) {
    begin(WritePhase::Backup);
    const auto backupFailed = [&result](const std::string& reason) {
      result.outcome = SafeWriteOutcome::BackupFailed;
      result.message = reason.empty() ? kBackupFailedNothingWritten
                                      : reason + "\n" + kBackupFailedNothingWritten;
      return result;
    };
    std::string reason;
    if (!MakeBackupFolder(options.backupFolder, reason)) return backupFailed(reason);
    const auto held = ReadTarget(set);
    // The read has told why it failed.
    if (!procedures.read(*held, &progress)) return backupFailed("");
    result.backupPath =
        SaveBackup(*held, options.backupFolder, options.now != 0 ? options.now : std::time(nullptr),
                   options.portName, options.writtenFile, reason);
    if (result.backupPath.empty()) return backupFailed(reason);
  }

  begin(WritePhase::Write);
  if (!procedures.write(set, &progress)) {
    result.outcome = SafeWriteOutcome::WriteFailed;
    return result;
  }
  result.outcome = SafeWriteOutcome::Written;
  if (!options.verify) return result;

  begin(WritePhase::Verify);
  std::shared_ptr<model::ParameterSet> back = ReadTarget(set);
  if (!procedures.read(*back, &progress)) {
    result.outcome = SafeWriteOutcome::VerifyUnfinished;
    result.message = kVerifyUnfinished;
    return result;
  }
  result.verified = true;
  result.readBack = back;
  SplitVerification(CompareConfigurations(set, *back), result.mismatches, result.kept);
  if (!result.mismatches.empty()) result.outcome = SafeWriteOutcome::Mismatch;
  return result;
}

}  // namespace tarvo::shell
