#include "app/gui/help_file.h"

#include <QDir>
#include <QFileInfo>

namespace tarvo::gui {

HelpFileLookup FindHelpFile(const QString& programDir) {
  const QDir dir(programDir);
  HelpFileLookup lookup;
  lookup.candidates << QDir::cleanPath(dir.filePath(QStringLiteral("help/TarvoConfig.html")))
                    << QDir::cleanPath(dir.filePath(
                           QStringLiteral("../share/tarvoconfig/help/TarvoConfig.html")));
  for (const QString& candidate : lookup.candidates) {
    if (QFileInfo(candidate).isFile()) {
      lookup.found = candidate;
      break;
    }
  }
  return lookup;
}

std::string HelpMissingMessage(const HelpFileLookup& lookup) {
  return "Файл справки не найден. Программа искала его здесь:\n" +
         lookup.candidates.join(QLatin1Char('\n')).toStdString();
}

std::string HelpNotOpenedMessage(const QString& path, const std::string& reason) {
  return "Не удалось открыть файл справки " + path.toStdString() + ": " + reason + ".";
}

}  // namespace tarvo::gui
