#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/net/network_address.h"
#include "platform/net/socket_stream.h"
#include "platform/net/telnet_codec.h"
#include "platform/serial_port.h"

namespace tarvo::platform::net {

// A serial line reached through a network serial server, as tcp:// or rfc2217:// names it. A
// closed connection is a line that hung up: reads and writes fail from then on. As on the serial
// port, once part of a read has come the rest is given its time on the wire before the next look.
class NetworkSerialPort : public SerialPort {
 public:
  NetworkSerialPort(Clock& clock, std::unique_ptr<SocketStream> socket)
      : clock_(clock), socket_(std::move(socket)) {}
  ~NetworkSerialPort() override { Close(); }
  NetworkSerialPort(const NetworkSerialPort&) = delete;
  NetworkSerialPort& operator=(const NetworkSerialPort&) = delete;

  // How long a connection may take to open, a server that turns it away tried again within it;
  // tests shorten it.
  int connectLimitMs = 5000;
  // How long the server may take to confirm the option and the line's rate.
  int answerLimitMs = 2000;

  bool Open(const std::string& path, std::string& reason) override;
  void Configure(int speedCode) override;
  bool IsOpen() const override { return open_; }
  int BaudRate() const override;
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override;
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) override;
  void CancelAndDrain() override;
  void Close() override;

 private:
  // One connection and its opening; turnedAway when the server closed it before serving it.
  bool Connect(std::int64_t giveUpMs, bool& turnedAway, std::string& reason);
  // Receives once until the deadline and decodes; false once the connection is gone.
  bool Pump(std::int64_t deadlineMs);
  // Pumps until done() or the deadline; false when the connection is gone.
  template <typename Done>
  bool PumpUntil(Done done, std::int64_t deadlineMs);
  bool SendWire(std::span<const std::uint8_t> wire);

  Clock& clock_;
  std::unique_ptr<SocketStream> socket_;
  std::optional<NetworkAddress> address_;
  std::optional<TelnetCodec> telnet_;
  bool open_ = false;
  bool connected_ = false;
  int baud_ = 0;
  // Data received and not yet read, and where reading has got to in it.
  std::vector<std::uint8_t> pending_;
  std::size_t taken_ = 0;
};

// Why a network server could not be reached, in one Russian sentence naming its address.
std::string ConnectFailureReason(const NetworkAddress& address, const ConnectFailure& failure,
                                 int limitMs);

}  // namespace tarvo::platform::net
