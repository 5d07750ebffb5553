#include "shell/commands.h"

namespace tarvo::shell {

namespace {

using model::DeviceVariant;

bool HasReportTexts(DeviceVariant variant) {
  return variant == DeviceVariant::V || variant == DeviceVariant::G ||
         variant == DeviceVariant::UV || variant == DeviceVariant::L;
}

}  // namespace

CommandState StateOf(CommandId command, const model::ParameterSet& set) {
  const DeviceVariant variant = set.Variant();
  const bool loaded = variant != DeviceVariant::None;
  switch (command) {
    case CommandId::ReadDevice:
      return {true, false};
    case CommandId::WriteDevice:
    case CommandId::SystemWide:
    case CommandId::Channels:
    case CommandId::Nodes:
    case CommandId::Save:
    case CommandId::SaveAs:
    case CommandId::CheckConfiguration:
      return {loaded, false};
    case CommandId::CheckForStart:
      return {loaded, set.checkForStart != 0};
    case CommandId::ReportTexts:
    case CommandId::WriteReportTexts:
      return {HasReportTexts(variant), false};
  }
  return {};
}

}  // namespace tarvo::shell
