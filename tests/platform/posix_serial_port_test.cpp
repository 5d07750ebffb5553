#include "platform/posix/posix_serial_port.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
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
  EXPECT_NE(OpenFailureReason("/dev/ttyS0", EACCES).find("группу"), std::string::npos);
  EXPECT_EQ(OpenFailureReason("/dev/ttyS0", EBUSY),
            "Устройство /dev/ttyS0 занято другой программой.");
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
  if (::geteuid() != 0) {  // the superuser may open an exclusive terminal anyway
    PosixSerialPort second(clock);
    EXPECT_FALSE(second.Open(path, reason));
    EXPECT_EQ(reason, "Устройство " + path + " занято другой программой.");
  }
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
