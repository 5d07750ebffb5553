#include "shell/safe_write.h"

#include <cstring>
#include <memory>
#include <set>
#include <utility>

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

std::unique_ptr<model::ParameterSet> ExpectedAfterWrite(const model::ParameterSet& written,
                                                        const model::ParameterSet& held) {
  auto expected = std::make_unique<model::ParameterSet>(written);
  if (!model::SupportsReportTexts(held.ident)) {
    expected->CopyReportTexts(held);
    return expected;
  }
  if (!written.headerEnabled) {
    std::memcpy(expected->headerText, held.headerText, sizeof expected->headerText);
  }
  if (!written.footerEnabled) {
    std::memcpy(expected->footerText, held.footerText, sizeof expected->footerText);
  }
  return expected;
}

void SplitVerification(const std::vector<DifferentForm>& differences,
                       const std::vector<DifferentForm>& unexpected,
                       std::vector<DifferentForm>& mismatches, std::vector<DifferentForm>& kept) {
  std::set<std::pair<std::string, std::string>> unexpectedRows;
  for (const DifferentForm& form : unexpected) {
    for (const DifferentRow& row : form.rows) unexpectedRows.emplace(form.name, row.code);
  }
  for (const DifferentForm& form : differences) {
    DifferentForm different = form;
    DifferentForm notSent = form;
    different.rows.clear();
    notSent.rows.clear();
    for (const DifferentRow& row : form.rows) {
      // A form only one side shows differs as a whole: its rows are never merely kept.
      const bool sent = !LeftNotSet(row) && unexpectedRows.count({form.name, row.code}) > 0;
      (form.presence != Presence::Both || sent ? different : notSent).rows.push_back(row);
    }
    if (!different.rows.empty()) mismatches.push_back(std::move(different));
    if (!notSent.rows.empty()) kept.push_back(std::move(notSent));
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
  SplitVerification(CompareConfigurations(set, *back),
                    CompareConfigurations(*ExpectedAfterWrite(set, *back), *back),
                    result.mismatches, result.kept);
  if (!result.mismatches.empty()) result.outcome = SafeWriteOutcome::Mismatch;
  return result;
}

}  // namespace tarvo::shell
