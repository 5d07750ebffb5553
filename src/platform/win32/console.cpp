#include "platform/console.h"

// windows.h first: shellapi.h needs its types.
#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace tarvo::platform {

namespace {

std::atomic<bool> interrupted{false};

// Runs on a thread of its own that the system starts for the console event.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  // The second one goes on to the default handler, which ends the program.
  return interrupted.exchange(true) ? FALSE : TRUE;
}

}  // namespace

std::vector<std::string> StartConsole(int argc, char** argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  ::SetConsoleCP(CP_UTF8);
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(win32::Utf8OfWide(wide[i]));
  ::LocalFree(wide);
  return args;
}

bool ErrorOutputIsTerminal() {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

InterruptRequest::InterruptRequest() {
  interrupted.store(false);
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

InterruptRequest::~InterruptRequest() {
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

const std::atomic<bool>* InterruptRequest::Flag() const {
  return &interrupted;
}

}  // namespace tarvo::platform
