#include "sim/pty_server.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "sim/line_serving.h"

namespace tarvo::sim {

namespace {

int BaudOfSpeed(speed_t speed) {
  static const struct {
    speed_t speed;
    int baud;
  } kRates[] = {{B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
                {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
  for (const auto& rate : kRates) {
    if (rate.speed == speed) return rate.baud;
  }
  return 0;
}

}  // namespace

PtyServer::~PtyServer() {
  if (master_ >= 0) ::close(master_);
}

bool PtyServer::Open(std::string& path, std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    error = std::string("не удалось открыть псевдотерминал: ") + std::strerror(errno);
    return false;
  }
  const char* name = ::ptsname(master_);
  if (name == nullptr) {
    error = std::string("не удалось узнать имя псевдотерминала: ") + std::strerror(errno);
    return false;
  }
  path = name;
  // Raw from the start, so nothing is echoed back before the program sets the line up.
  termios settings{};
  if (::tcgetattr(master_, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(master_, TCSANOW, &settings);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  return true;
}

void PtyServer::Serve(const std::atomic<bool>& stop) {
  ServeLine(master_, false, responder_, stop, [this] { ReportSpeed(); });
  ::close(master_);
  master_ = -1;
}

void PtyServer::ReportSpeed() {
  if (!onSpeed) return;
  // The master reads the settings the program gave its end of the terminal.
  termios settings{};
  if (::tcgetattr(master_, &settings) != 0) return;
  const int baud = BaudOfSpeed(::cfgetospeed(&settings));
  if (baud == lastBaud_) return;
  lastBaud_ = baud;
  onSpeed(baud);
}

}  // namespace tarvo::sim
