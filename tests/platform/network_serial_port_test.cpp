#include "platform/net/network_serial_port.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <thread>
#include <vector>

#include "platform/posix/steady_clock.h"

namespace tarvo::platform::net {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t IAC = 255, DO = 253, WILL = 251, SB = 250, SE = 240, COMPORT = 44;

// A listening socket on the loopback address, on a port of the system's choice.
struct Listener {
  explicit Listener(int backlog = 4) {
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
    EXPECT_EQ(::listen(fd, backlog), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
  }
  ~Listener() { ::close(fd); }
  std::string Name(const char* scheme) const {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port);
  }
  int fd = -1;
  int port = 0;
};

// Everything the peer sends until it is quiet for a tenth of a second.
Bytes ReceiveAll(int fd) {
  Bytes got;
  pollfd entry{fd, POLLIN, 0};
  while (::poll(&entry, 1, 100) > 0) {
    std::uint8_t chunk[256];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    got.insert(got.end(), chunk, chunk + n);
  }
  return got;
}

void SendAll(int fd, const Bytes& bytes) {
  ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
            static_cast<ssize_t>(bytes.size()));
}

class NetworkSerialPortTest : public ::testing::Test {
 protected:
  posix::SteadyClock clock;
  NetworkSerialPort port{clock, MakeSystemSocket(clock)};
  std::string reason;
};

TEST_F(NetworkSerialPortTest, CarriesRawBytesAsTheyAre) {
  Listener server;
  ASSERT_TRUE(port.Open(server.Name("tcp"), reason)) << reason;
  const int peer = ::accept(server.fd, nullptr, nullptr);
  port.Configure(4);
  EXPECT_EQ(port.BaudRate(), 19200);
  const Bytes sent{0x10, 0xFF, 0xFF, 13, 0, 0xFF};
  ASSERT_TRUE(port.Write(sent, clock.NowMs() + 1000));
  EXPECT_EQ(ReceiveAll(peer), sent);
  SendAll(peer, Bytes{1, 0xFF, 2});
  std::uint8_t got[3] = {};
  EXPECT_EQ(port.Read(got, 3, clock.NowMs() + 1000), 3u);
  EXPECT_EQ(Bytes(got, got + 3), (Bytes{1, 0xFF, 2}));
  // Nothing more comes: the read waits out its deadline.
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(port.Read(got, 1, start + 150), 0u);
  EXPECT_GE(clock.NowMs() - start, 150);
  // What came before the drain is gone.
  SendAll(peer, Bytes{9, 9});
  ::usleep(50000);
  port.CancelAndDrain();
  EXPECT_EQ(port.Read(got, 1, clock.NowMs() + 50), 0u);
  ::close(peer);
}

TEST_F(NetworkSerialPortTest, ReachesAServerByIpv6AddressAndByHostName) {
  const int fd = ::socket(AF_INET6, SOCK_STREAM, 0);
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    if (fd >= 0) ::close(fd);
    GTEST_SKIP() << "no IPv6 loopback address here";
  }
  ASSERT_EQ(::listen(fd, 4), 0);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string number = std::to_string(ntohs(address.sin6_port));
  Listener ipv4;
  for (const std::string& name : {"tcp://[::1]:" + number, "rfc2217://[::1]:" + number}) {
    bool opened = false;
    std::thread client([&] { opened = port.Open(name, reason); });
    const int peer = ::accept(fd, nullptr, nullptr);
    ReceiveAll(peer);
    SendAll(peer, Bytes{IAC, DO, COMPORT});
    client.join();
    EXPECT_TRUE(opened) << name << ": " << reason;
    port.Close();
    ::close(peer);
  }
  // A host name is looked up; each address it has is tried in turn.
  EXPECT_TRUE(port.Open("tcp://localhost:" + std::to_string(ipv4.port), reason)) << reason;
  ::close(fd);
}

TEST_F(NetworkSerialPortTest, AClosedConnectionIsALineThatHungUp) {
  Listener server;
  ASSERT_TRUE(port.Open(server.Name("tcp"), reason)) << reason;
  const int peer = ::accept(server.fd, nullptr, nullptr);
  SendAll(peer, Bytes{7});
  ::close(peer);
  std::uint8_t got[4] = {};
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(port.Read(got, 4, start + 2000), 1u);
  EXPECT_LT(clock.NowMs() - start, 1000);
  EXPECT_FALSE(port.Write(Bytes{1, 2}, clock.NowMs() + 1000));
  EXPECT_EQ(port.Read(got, 1, clock.NowMs() + 2000), 0u);
  EXPECT_LT(clock.NowMs() - start, 1000);
}

TEST_F(NetworkSerialPortTest, SetsTheServersLineAndEscapesIacBothWays) {
  Listener server;
  bool opened = false;
  std::thread client([&] { opened = port.Open(server.Name("rfc2217"), reason); });
  const int peer = ::accept(server.fd, nullptr, nullptr);
  EXPECT_FALSE(ReceiveAll(peer).empty());  // the client's option requests
  SendAll(peer, Bytes{IAC, DO, COMPORT, IAC, DO, 0, IAC, WILL, 0});
  client.join();
  ASSERT_TRUE(opened) << reason;
  std::thread configure([&] { port.Configure(3); });
  const Bytes settings = ReceiveAll(peer);
  ASSERT_GE(settings.size(), 10u);
  EXPECT_EQ(Bytes(settings.begin(), settings.begin() + 10),
            (Bytes{IAC, SB, COMPORT, 1, 0, 0, 0x25, 0x80, IAC, SE}));
  SendAll(peer, Bytes{IAC, SB, COMPORT, 101, 0, 0, 0x25, 0x80, IAC, SE});
  configure.join();
  EXPECT_EQ(port.BaudRate(), 9600);

  ASSERT_TRUE(port.Write(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1}, clock.NowMs() + 1000));
  EXPECT_EQ(ReceiveAll(peer), (Bytes{IAC, IAC, IAC, IAC, IAC, IAC, IAC, IAC, 1}));
  SendAll(peer, Bytes{IAC, IAC, IAC, IAC, 2});
  std::uint8_t got[3] = {};
  EXPECT_EQ(port.Read(got, 3, clock.NowMs() + 1000), 3u);
  EXPECT_EQ(Bytes(got, got + 3), (Bytes{0xFF, 0xFF, 2}));
  port.CancelAndDrain();
  EXPECT_EQ(ReceiveAll(peer), (Bytes{IAC, SB, COMPORT, 12, 3, IAC, SE}));
  ::close(peer);
}

// A server that has just served a connection turns the next away ("Port already in use") until
// it has let its line go; the port tries again within its connect limit.
TEST_F(NetworkSerialPortTest, ABusyServerIsTriedAgainWithinTheConnectLimit) {
  const Bytes busy{'P', 'o', 'r', 't', ' ', 'b', 'u', 's', 'y', '\r', '\n'};
  for (const char* scheme : {"tcp", "rfc2217"}) {
    for (const int turnedAway : {1, 100}) {
      Listener server(8);
      port.connectLimitMs = 400;
      bool opened = false;
      std::thread client([&] { opened = port.Open(server.Name(scheme), reason); });
      int peer = -1;
      for (int i = 0; i <= turnedAway; ++i) {
        pollfd waiting{server.fd, POLLIN, 0};
        if (::poll(&waiting, 1, 500) <= 0) break;
        peer = ::accept(server.fd, nullptr, nullptr);
        if (std::string(scheme) == "rfc2217") {
          ReceiveAll(peer);
          SendAll(peer, Bytes{IAC, DO, COMPORT});
        }
        if (i == turnedAway) break;
        SendAll(peer, busy);
        ::close(peer);
        peer = -1;
      }
      client.join();
      if (turnedAway == 1) {
        ASSERT_TRUE(opened) << scheme << ": " << reason;
        // The server's words are not taken for the device's.
        std::uint8_t got[1] = {};
        EXPECT_EQ(port.Read(got, 1, clock.NowMs() + 100), 0u) << scheme;
      } else {
        EXPECT_FALSE(opened) << scheme;
        EXPECT_EQ(reason,
                  "Сервер последовательного порта " + server.Name(scheme) + " закрыл соединение.");
      }
      port.Close();
      if (peer >= 0) ::close(peer);
    }
  }
}

TEST_F(NetworkSerialPortTest, AServerWithoutLineControlIsRefusedWithItsAddress) {
  Listener server;
  port.answerLimitMs = 200;
  bool opened = true;
  std::thread client([&] { opened = port.Open(server.Name("rfc2217"), reason); });
  const int peer = ::accept(server.fd, nullptr, nullptr);
  client.join();
  EXPECT_FALSE(opened);
  EXPECT_EQ(reason, "Сервер последовательного порта " + server.Name("rfc2217") +
                        " не управляет линией по RFC 2217: задайте адрес как " +
                        server.Name("tcp") + ".");
  ::close(peer);
}

TEST_F(NetworkSerialPortTest, SaysWhyAServerCannotBeReached) {
  int closedPort = 0;
  {
    Listener gone;
    closedPort = gone.port;
  }
  // A listener whose queue is full takes no more connections and answers nothing: a black hole.
  Listener full(0);
  std::vector<int> queued;
  for (int i = 0; i < 4; ++i) {
    queued.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(full.port));
    ::connect(queued.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  const std::string refused = "tcp://127.0.0.1:" + std::to_string(closedPort);
  const struct {
    std::string name;
    std::string reason;
  } cases[] = {
      {refused, "Сервер последовательного порта " + refused + " отказал в соединении: на порту " +
                    std::to_string(closedPort) + " никто не ждет соединений."},
      {"rfc2217://tarvo-no-such-host.invalid:4001",
       "Сервер последовательного порта rfc2217://tarvo-no-such-host.invalid:4001 не найден: "
       "неизвестное имя узла tarvo-no-such-host.invalid."},
      {full.Name("tcp"),
       "Сервер последовательного порта " + full.Name("tcp") + " не ответил за 0,3 с."},
  };
  port.connectLimitMs = 300;
  for (const auto& c : cases) {
    const std::int64_t start = clock.NowMs();
    EXPECT_FALSE(port.Open(c.name, reason)) << c.name;
    EXPECT_EQ(reason, c.reason);
    EXPECT_LT(clock.NowMs() - start, 1500) << c.name;
    EXPECT_FALSE(port.IsOpen());
  }
  for (int fd : queued) ::close(fd);
}

}  // namespace
}  // namespace tarvo::platform::net
