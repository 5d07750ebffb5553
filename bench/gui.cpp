// Times the desktop window as a user meets it: the main window shown with a file open, and the
// channel sheet of a 20-channel ЛУР-У opened and stepped through page by page. Prints the
// figures against their targets; run by hand, never as a test.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/gui/main_window.h"
#include "app/gui/sheet_dialog.h"
#include "forms/channel/channel_sheet.h"
#include "model/document.h"
#include "platform/qt/qt_ui.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds since this process started, from the kernel's record of its start.
double SecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Field 22 (start time in clock ticks since boot) counts from after the command's ")".
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - started;
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakRssKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Report(const char* what, double value, double target, const char* unit) {
  std::printf("%-52s %9.1f %-3s target %7.1f %-3s ratio %.2f\n", what, value, unit, target, unit,
              value / target);
}

// Everything Qt lives here, so that it is gone (and its settings written) before the benchmark
// removes its folder.
int Measure(int argc, char** argv, const std::string& file) {
  // The same start-up as the program's own: translations, the window, the file, shown.
  QApplication app(argc, argv);
  QTranslator translator;
  if (translator.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
  tarvo::platform::qt::QtUi ui;
  auto window = std::make_unique<tarvo::gui::MainWindow>(ui);
  ui.SetParentWidget(window.get());
  if (!window->OpenDocumentFile(QString::fromStdString(file))) return 1;
  window->showMaximized();
  if (!QTest::qWaitForWindowExposed(window.get())) return 1;
  QApplication::processEvents();
  const double shown = SecondsSinceProcessStart() * 1000.0;

  tarvo::model::ConfigurationDocument document;
  std::string message;
  document.Open(file, message);
  const Clock::time_point opening = Clock::now();
  auto sheet = tarvo::forms::MakeChannelSheet(document.Set(), message);
  tarvo::gui::SheetDialog dialog(*sheet, ui);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) return 1;
  QApplication::processEvents();
  const double opened = MillisecondsSince(opening);
  const Clock::time_point stepping = Clock::now();
  double slowestStep = 0;
  for (int page = 1; page < sheet->PageCount(); ++page) {
    const Clock::time_point step = Clock::now();
    if (!dialog.SelectPage(page)) return 1;
    QApplication::processEvents();
    slowestStep = std::max(slowestStep, MillisecondsSince(step));
  }
  const double stepped = MillisecondsSince(stepping);

  std::printf("platform %s, %d channel pages of ЛУР-У (execution 50)\n",
              qPrintable(QApplication::platformName()), sheet->PageCount());
  Report("process start to main window shown with a file open", shown, 500, "ms");
  Report("channel sheet opened and shown", opened, 150, "ms");
  Report("channel sheet stepped through every page", stepped, 150, "ms");
  Report("  the slowest step to the next page", slowestStep, 150, "ms");
  Report("peak resident memory", PeakRssKilobytes() / 1024.0, 80, "MB");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window keeps its recent files in the user's settings: the benchmark keeps its own.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bench-gui-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.string()));
  const std::string file = (folder / "u50.par").string();
  {
    tarvo::model::ConfigurationDocument document;
    document.NewConfiguration(0x50, 0x40);
    std::string message;
    if (!document.Store(file, message)) {
      std::fprintf(stderr, "%s\n", message.c_str());
      return 1;
    }
  }

  const int status = Measure(argc, argv, file);
  std::filesystem::remove_all(folder);
  return status;
}
