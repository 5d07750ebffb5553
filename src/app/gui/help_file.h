#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace tarvo::gui {

struct HelpFileLookup {
  QStringList candidates;  // the places looked at, in order
  QString found;           // the first that exists; empty when none does
};

// The help beside the program (<dir>/help/TarvoConfig.html), else where an installation puts it
// (<dir>/../share/tarvoconfig/help/TarvoConfig.html).
HelpFileLookup FindHelpFile(const QString& programDir);

std::string HelpMissingMessage(const HelpFileLookup& lookup);
// A help file found that cannot be read, with the system's reason.
std::string HelpNotOpenedMessage(const QString& path, const std::string& reason);

}  // namespace tarvo::gui
