#include "platform/posix/posix_serial_port.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/steady_clock.h"

namespace tarvo::platform::posix {
namespace {

TEST(PosixSerialPort, SaysWhyADeviceCannotBeOpened) {
  SteadyClock clock;
  PosixSerialPort port(clock);
  std::string reason;
  EXPECT_FALSE(port.Open("/dev/ttyUSB-missing", reason));
  EXPECT_EQ(reason, "Устройство /dev/ttyUSB-missing не найдено.");
  EXPECT_FALSE(port.Open("/dev/null", reason));
  EXPECT_EQ(reason, "/dev/null не является последовательным портом.");
  EXPECT_EQ(OpenFailureReason("/dev/ttyS0", EBUSY),
            "Устройство /dev/ttyS0 занято другой программой.");
}

TEST(PosixSerialPort, APermissionFailureNamesTheGroupThatMayUseTheDevice) {
  const std::string path = ::testing::TempDir() + "tarvo-permission-test";
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const group* own = ::getgrgid(::getegid());
  ASSERT_NE(own, nullptr);
  ::chmod(path.c_str(), 0660);
  EXPECT_EQ(OpenFailureReason(path, EACCES),
            "Нет прав доступа к устройству " + path + ": пользователь должен входить в группу " +
                own->gr_name + ", которой принадлежит устройство (sudo usermod -aG " +
                own->gr_name + " $USER, затем войти в систему заново).");
  ::chmod(path.c_str(), 0600);
  EXPECT_EQ(OpenFailureReason(path, EACCES),
            "Нет прав доступа к устройству " + path + ": оно доступно только своему владельцу.");
  ::unlink(path.c_str());
}

TEST(PosixSerialPort, OpensATerminalForItselfAlone) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string path = ::ptsname(master);
  SteadyClock clock;
  PosixSerialPort first(clock);
  std::string reason;
  ASSERT_TRUE(first.Open(path, reason)) << reason;
  first.Configure(3);
  EXPECT_EQ(first.BaudRate(), 9600);
  // Refused to the superuser too.
  PosixSerialPort second(clock);
  EXPECT_FALSE(second.Open(path, reason));
  EXPECT_EQ(reason, "Устройство " + path + " занято другой программой.");
  // Bytes written at the other end arrive; a read with nothing to come ends at its deadline.
  ASSERT_EQ(::write(master, "\xFE\x01", 2), 2);
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(first.Read(buffer, 2, clock.NowMs() + 1000), 2u);
  EXPECT_EQ(buffer[0], 0xFE);
  EXPECT_EQ(first.Read(buffer, 1, clock.NowMs() + 20), 0u);
  first.Close();
  PosixSerialPort again(clock);
  EXPECT_TRUE(again.Open(path, reason)) << reason;
  ::close(master);
}

}  // namespace
}  // namespace tarvo::platform::posix
