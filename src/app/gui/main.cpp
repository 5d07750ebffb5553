#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <cstring>
#include <iostream>

#include "app/gui/enter_on_button.h"
#include "app/gui/main_window.h"
#include "app/program_version.h"
#include "platform/qt/qt_ui.h"

namespace {

// The program speaks Russian whatever the desktop's language: Qt's own buttons and file dialogs
// must read so too. The Windows build carries the texts inside; on Linux they are Qt's own.
void InstallQtTranslations(QApplication& app, QTranslator& translator) {
  const QString name = QStringLiteral("qtbase_ru");
  if (translator.load(name, QStringLiteral(":/translations")) ||
      translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

QIcon ApplicationIcon() {
  const QString embedded = QStringLiteral(":/icons/tarvoconfig.png");
  return QIcon::fromTheme(QStringLiteral("tarvoconfig"),
                          QFile::exists(embedded) ? QIcon(embedded) : QIcon());
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that it needs no display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "TarvoConfig " << tarvo::app::kProgramVersion << "\n";
    return 0;
  }
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("TARVO Applications"));
  QCoreApplication::setApplicationName(QStringLiteral("TarvoConfig"));
  QTranslator translator;
  InstallQtTranslations(app, translator);
  QApplication::setWindowIcon(ApplicationIcon());
  tarvo::gui::EnterOnButton enterOnButton;
  app.installEventFilter(&enterOnButton);

  tarvo::platform::qt::QtUi ui;
  tarvo::gui::MainWindow window(ui);
  ui.SetParentWidget(&window);

  // A file named on the command line that cannot be opened ends the program after its message.
  const QStringList args = QCoreApplication::arguments();
  if (args.size() > 1 && !window.OpenDocumentFile(args.at(1))) return 1;

  // Filling the screen also where no window manager honours the maximized state.
  if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
  return app.exec();
}
