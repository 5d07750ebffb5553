#include "platform/posix/posix_serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvo::platform::posix {

namespace {

speed_t SpeedOf(int speedCode) {
  switch (speedCode) {
    case 1:
      return B2400;
    case 2:
      return B4800;
    case 3:
      return B9600;
    case 4:
      return B19200;
    default:
      return B0;
  }
}

int BaudOf(speed_t speed) {
  switch (speed) {
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return 0;
  }
}

// The group that may use the device, empty when the device is its owner's alone.
std::string GroupOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "dialout";
  if ((info.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP)) return {};
  if (const group* owner = ::getgrgid(info.st_gid)) return owner->gr_name;
  return std::to_string(info.st_gid);
}

}  // namespace

std::string OpenFailureReason(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return "Устройство " + path + " не найдено.";
    case EBUSY:
      return "Устройство " + path + " занято другой программой.";
    case EACCES:
    case EPERM: {
      const std::string group = GroupOf(path);
      if (group.empty()) {
        return "Нет прав доступа к устройству " + path + ": оно доступно только своему владельцу.";
      }
      return "Нет прав доступа к устройству " + path + ": пользователь должен входить в группу " +
             group + ", которой принадлежит устройство (sudo usermod -aG " + group +
             " $USER, затем войти в систему заново).";
    }
    case ENOTTY:
    case EINVAL:
      return path + " не является последовательным портом.";
    case EISDIR:
      return path + " является папкой, а не последовательным портом.";
    default:
      return "Устройство " + path + ": " + std::strerror(error) + ".";
  }
}

bool PosixSerialPort::Open(const std::string& path, std::string& reason) {
  Close();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason = OpenFailureReason(path, errno);
    return false;
  }
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    reason = OpenFailureReason(path, errno == ENOTTY ? ENOTTY : errno);
    ::close(fd);
    return false;
  }
  // The superuser passes TIOCEXCL; the lock keeps out every program that takes it, this one
  // included, whoever runs it. Taken first, so a refused open leaves the holder's line as it was.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    reason = OpenFailureReason(path, errno == EWOULDBLOCK ? EBUSY : errno);
    ::close(fd);
    return false;
  }
  if (::ioctl(fd, TIOCEXCL) != 0) {
    reason = OpenFailureReason(path, errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  baud_ = BaudOf(::cfgetospeed(&settings));
  return true;
}

void PosixSerialPort::Configure(int speedCode) {
  if (fd_ < 0) return;
  termios settings{};
  if (::tcgetattr(fd_, &settings) != 0) return;
  ::cfmakeraw(&settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  settings.c_cflag |= CS8 | CREAD | CLOCAL;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (const speed_t speed = SpeedOf(speedCode); speed != B0) {
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
  }
  ::tcsetattr(fd_, TCSANOW, &settings);
  baud_ = BaudOf(::cfgetospeed(&settings));
  // A pseudo-terminal has no modem lines; the request then fails harmlessly.
  int lines = TIOCM_DTR | TIOCM_RTS;
  ::ioctl(fd_, TIOCMBIS, &lines);
}

int PosixSerialPort::BaudRate() const {
  termios settings{};
  if (fd_ < 0 || ::tcgetattr(fd_, &settings) != 0) return 0;
  return BaudOf(::cfgetospeed(&settings));
}

bool PosixSerialPort::WaitFor(short events, std::int64_t deadlineMs) {
  for (;;) {
    const std::int64_t left = deadlineMs - clock_.NowMs();
    if (left <= 0) return false;
    pollfd entry{fd_, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(left));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0) continue;  // the loop re-checks the deadline against the clock
    if (entry.revents & events) return true;
    if (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) return false;
  }
}

bool PosixSerialPort::Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (wrote > 0) {
      done += static_cast<std::size_t>(wrote);
      continue;
    }
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0 && errno != EAGAIN) return false;
    if (!WaitFor(POLLOUT, deadlineMs)) return false;
  }
  return true;
}

std::size_t PosixSerialPort::Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) {
  if (fd_ < 0) return 0;
  std::size_t done = 0;
  bool reportedReadable = false;
  while (done < count) {
    const ssize_t got = ::read(fd_, data + done, count - done);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
      reportedReadable = false;
      if (done < count) {
        clock_.SleepMs(
            static_cast<int>(std::min(WireMs(count - done, baud_), deadlineMs - clock_.NowMs())));
      }
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    // With VMIN and VTIME 0 a read returns 0 when nothing has come; the same after poll reported
    // the line readable means the other end has hung up, as EIO does.
    if (got < 0 && errno != EAGAIN) break;
    if (got == 0 && reportedReadable) break;
    if (!WaitFor(POLLIN, deadlineMs)) break;
    reportedReadable = true;
  }
  return done;
}

void PosixSerialPort::CancelAndDrain() {
  if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

void PosixSerialPort::Close() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace tarvo::platform::posix
