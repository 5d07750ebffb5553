#include "platform/net/network_serial_port.h"

#include <algorithm>
#include <cstring>

namespace tarvo::platform::net {

namespace {

constexpr std::int64_t kSendLimitMs = 1000;
constexpr std::size_t kReceiveChunk = 4096;
// How long a raw server is watched for closing a connection it cannot serve.
constexpr std::int64_t kTurnAwayMs = 50;
constexpr int kRetryPauseMs = 100;

std::string SecondsText(int limitMs) {
  const int tenths = (limitMs + 50) / 100;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) text += "," + std::to_string(tenths % 10);
  return text + " с";
}

}  // namespace

std::string ConnectFailureReason(const NetworkAddress& address, const ConnectFailure& failure,
                                 int limitMs) {
  const std::string server = "Сервер последовательного порта " + address.Text();
  switch (failure.kind) {
    case ConnectFailure::Kind::UnknownHost:
      return server + " не найден: неизвестное имя узла " + address.host + ".";
    case ConnectFailure::Kind::Refused:
      return server + " отказал в соединении: на порту " + std::to_string(address.port) +
             " никто не ждет соединений.";
    case ConnectFailure::Kind::NoRoute:
      return server + " недоступен: нет маршрута к узлу " + address.host + ".";
    case ConnectFailure::Kind::TimedOut:
      return server + " не ответил за " + SecondsText(limitMs) + ".";
    case ConnectFailure::Kind::Other:
      break;
  }
  return server + ": " + failure.detail + ".";
}

bool NetworkSerialPort::Open(const std::string& path, std::string& reason) {
  Close();
  address_ = ParseNetworkAddress(path);
  if (!address_) {
    reason = path +
             " не является адресом сервера последовательного порта (tcp://УЗЕЛ:ПОРТ или "
             "rfc2217://УЗЕЛ:ПОРТ).";
    return false;
  }
  const std::int64_t giveUpMs = clock_.NowMs() + connectLimitMs;
  for (;;) {
    bool turnedAway = false;
    if (Connect(giveUpMs, turnedAway, reason)) return true;
    // A server that has just served a connection turns the next one away until it has let its
    // line go: a write's check follows the write within a millisecond.
    if (!turnedAway || clock_.NowMs() + kRetryPauseMs >= giveUpMs) return false;
    clock_.SleepMs(kRetryPauseMs);
  }
}

bool NetworkSerialPort::Connect(std::int64_t giveUpMs, bool& turnedAway, std::string& reason) {
  ConnectFailure failure;
  const int limitMs = static_cast<int>(std::max<std::int64_t>(giveUpMs - clock_.NowMs(), 1));
  if (!socket_->Connect(*address_, limitMs, failure)) {
    reason = ConnectFailureReason(*address_, failure, connectLimitMs);
    return false;
  }
  connected_ = true;
  open_ = true;
  bool answered = true;
  if (address_->telnet) {
    telnet_.emplace();
    answered = SendWire(telnet_->Opening()) &&
               PumpUntil([this] { return telnet_->ComPortAccepted() || telnet_->ComPortRefused(); },
                         clock_.NowMs() + answerLimitMs) &&
               telnet_->ComPortAccepted();
  }
  if (answered) {
    // A busy server says so and closes at once, after its options in Telnet; a device never
    // speaks first, so what comes before the first request is not kept.
    PumpUntil([] { return false; }, clock_.NowMs() + kTurnAwayMs);
    answered = connected_;
    pending_.clear();
    taken_ = 0;
  }
  if (answered) return true;
  turnedAway = !connected_;
  reason = "Сервер последовательного порта " + address_->Text() +
           (connected_ ? " не управляет линией по RFC 2217: задайте адрес как tcp://" +
                             address_->Text().substr(std::strlen("rfc2217://")) + "."
                       : " закрыл соединение.");
  Close();
  return false;
}

void NetworkSerialPort::Configure(int speedCode) {
  baud_ = BaudOfSpeedCode(speedCode);
  if (!telnet_ || !connected_) return;
  // A rate of 0 asks the server for the one its line has.
  const std::uint32_t before = telnet_->ServerBaud();
  if (!SendWire(telnet_->LineSettings(static_cast<std::uint32_t>(baud_)))) return;
  // The first request must not go out before the line has its rate.
  PumpUntil(
      [&] {
        const std::uint32_t reported = telnet_->ServerBaud();
        return reported != 0 &&
               (baud_ == 0 || reported == static_cast<std::uint32_t>(baud_) || reported != before);
      },
      clock_.NowMs() + answerLimitMs);
}

int NetworkSerialPort::BaudRate() const {
  if (telnet_ && telnet_->ServerBaud() != 0) return static_cast<int>(telnet_->ServerBaud());
  return baud_;
}

bool NetworkSerialPort::SendWire(std::span<const std::uint8_t> wire) {
  if (!connected_) return false;
  if (socket_->Send(wire, clock_.NowMs() + kSendLimitMs)) return true;
  connected_ = false;
  return false;
}

bool NetworkSerialPort::Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) {
  if (!connected_) return false;
  if (!telnet_) {
    if (socket_->Send(bytes, deadlineMs)) return true;
    connected_ = false;
    return false;
  }
  std::vector<std::uint8_t> wire;
  wire.reserve(bytes.size() + 8);
  telnet_->Encode(bytes, wire);
  if (socket_->Send(wire, deadlineMs)) return true;
  connected_ = false;
  return false;
}

bool NetworkSerialPort::Pump(std::int64_t deadlineMs) {
  if (!connected_) return false;
  std::uint8_t chunk[kReceiveChunk];
  const long got = socket_->Receive(chunk, sizeof chunk, deadlineMs);
  if (got < 0) {
    connected_ = false;
    return false;
  }
  if (taken_ == pending_.size()) {
    pending_.clear();
    taken_ = 0;
  }
  const std::span<const std::uint8_t> wire(chunk, static_cast<std::size_t>(got));
  if (!telnet_) {
    pending_.insert(pending_.end(), wire.begin(), wire.end());
    return true;
  }
  std::vector<std::uint8_t> replies;
  telnet_->Decode(wire, pending_, replies);
  return replies.empty() || SendWire(replies);
}

template <typename Done>
bool NetworkSerialPort::PumpUntil(Done done, std::int64_t deadlineMs) {
  while (!done()) {
    if (!Pump(deadlineMs)) return false;
    if (clock_.NowMs() >= deadlineMs) return done();
  }
  return true;
}

std::size_t NetworkSerialPort::Read(std::uint8_t* data, std::size_t count,
                                    std::int64_t deadlineMs) {
  std::size_t done = 0;
  for (;;) {
    const std::size_t take = std::min(count - done, pending_.size() - taken_);
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(taken_), take, data + done);
    taken_ += take;
    done += take;
    if (done == count) return done;
    // The server passes bytes on as the line brings them: the rest is given its wire time.
    if (take > 0) {
      clock_.SleepMs(static_cast<int>(
          std::min(WireMs(count - done, BaudRate()), deadlineMs - clock_.NowMs())));
    }
    if (!Pump(deadlineMs)) return done;
    if (taken_ == pending_.size() && clock_.NowMs() >= deadlineMs) return done;
  }
}

void NetworkSerialPort::CancelAndDrain() {
  if (!connected_) return;
  if (telnet_) SendWire(telnet_->Purge());
  // What has already arrived is dropped; a past deadline takes it without waiting.
  while (connected_ && Pump(0) && taken_ < pending_.size()) taken_ = pending_.size();
  pending_.clear();
  taken_ = 0;
}

void NetworkSerialPort::Close() {
  if (open_ || connected_) socket_->Close();
  open_ = false;
  connected_ = false;
  telnet_.reset();
  pending_.clear();
  taken_ = 0;
}

}  // namespace tarvo::platform::net
