#pragma once

#include "model/parameter_set.h"

namespace tarvo::shell {

// Menu commands of the configuration and device menus, by their identifiers.
enum class CommandId : int {
  ReadDevice = 32776,
  WriteDevice = 32777,
  SystemWide = 32781,
  Channels = 32782,
  Nodes = 32783,
  CheckForStart = 32785,
  ReportTexts = 32788,
  WriteReportTexts = 32790,
  CheckConfiguration = 32796,  // every form's checks at once, beyond the original menu
  Save = 57603,
  SaveAs = 57604,
};

struct CommandState {
  bool enabled = false;
  bool checked = false;
};

// Whether a command is enabled (and for the switch, shown checked) for the set as it is.
CommandState StateOf(CommandId command, const model::ParameterSet& set);

}  // namespace tarvo::shell
