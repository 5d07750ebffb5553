#include "platform/net/telnet_codec.h"

namespace tarvo::platform::net {

namespace {

constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kNul = 0;
// Values of the COM port option's settings.
constexpr std::uint8_t kEightBits = 8;
constexpr std::uint8_t kNoParity = 1;
constexpr std::uint8_t kOneStopBit = 1;
constexpr std::uint8_t kNoFlowControl = 1;
constexpr std::uint8_t kPurgeBoth = 3;

}  // namespace

bool TelnetCodec::Supported(std::uint8_t option, bool ours) {
  if (option == kBinary || option == kSuppressGoAhead) return true;
  return ours && option == kComPort;
}

std::vector<std::uint8_t> TelnetCodec::Opening() {
  std::vector<std::uint8_t> wire;
  for (std::uint8_t option : {kBinary, kSuppressGoAhead, kComPort}) {
    ours_[option] = State::Asked;
    wire.insert(wire.end(), {kIac, kWill, option});
  }
  for (std::uint8_t option : {kBinary, kSuppressGoAhead}) {
    theirs_[option] = State::Asked;
    wire.insert(wire.end(), {kIac, kDo, option});
  }
  return wire;
}

void TelnetCodec::Encode(std::span<const std::uint8_t> data,
                         std::vector<std::uint8_t>& wire) const {
  const bool binary = ours_[kBinary] == State::Yes;
  for (std::uint8_t byte : data) {
    wire.push_back(byte);
    if (byte == kIac) wire.push_back(kIac);
    if (byte == kCr && !binary) wire.push_back(kNul);
  }
}

void TelnetCodec::Decode(std::span<const std::uint8_t> wire, std::vector<std::uint8_t>& data,
                         std::vector<std::uint8_t>& replies) {
  for (std::uint8_t byte : wire) {
    switch (phase_) {
      case Phase::Cr:
        phase_ = Phase::Data;
        // Without binary data the server sends a lone CR as CR NUL.
        if (byte == kNul) break;
        [[fallthrough]];
      case Phase::Data:
        if (byte == kIac) {
          phase_ = Phase::Iac;
        } else {
          data.push_back(byte);
          if (byte == kCr && theirs_[kBinary] != State::Yes) phase_ = Phase::Cr;
        }
        break;
      case Phase::Iac:
        if (byte == kIac) {
          data.push_back(kIac);
          phase_ = Phase::Data;
        } else if (byte >= kWill) {
          verb_ = byte;
          phase_ = Phase::Option;
        } else if (byte == kSb) {
          sub_.clear();
          phase_ = Phase::Sub;
        } else {
          phase_ = Phase::Data;  // NOP, go-ahead and the other bare commands carry nothing
        }
        break;
      case Phase::Option:
        Negotiate(verb_, byte, replies);
        phase_ = Phase::Data;
        break;
      case Phase::Sub:
        if (byte == kIac) {
          phase_ = Phase::SubIac;
        } else {
          sub_.push_back(byte);
        }
        break;
      case Phase::SubIac:
        if (byte == kSe) {
          EndSubnegotiation();
          phase_ = Phase::Data;
        } else {
          sub_.push_back(byte);  // a doubled IAC inside the value
          phase_ = Phase::Sub;
        }
        break;
    }
  }
}

void TelnetCodec::Negotiate(std::uint8_t verb, std::uint8_t option,
                            std::vector<std::uint8_t>& replies) {
  // Only a change of state is answered, so two sides never loop on each other's answers.
  const bool ours = verb == kDo || verb == kDont;
  const bool enable = verb == kDo || verb == kWill;
  State& state = ours ? ours_[option] : theirs_[option];
  const std::uint8_t yes = ours ? kWill : kDo;
  const std::uint8_t no = ours ? kWont : kDont;
  if (enable) {
    if (!Supported(option, ours)) {
      replies.insert(replies.end(), {kIac, no, option});
      return;
    }
    if (state == State::No) replies.insert(replies.end(), {kIac, yes, option});
    state = State::Yes;
    return;
  }
  if (ours && option == kComPort) comPortRefused_ = true;
  if (state == State::Yes) replies.insert(replies.end(), {kIac, no, option});
  state = State::No;
}

void TelnetCodec::EndSubnegotiation() {
  // The server confirms the rate it set: COM-PORT-OPTION, SET-BAUDRATE + 100, four bytes.
  if (sub_.size() == 6 && sub_[0] == kComPort && sub_[1] == kSetBaudRate + kServerOffset) {
    serverBaud_ = static_cast<std::uint32_t>(sub_[2]) << 24 |
                  static_cast<std::uint32_t>(sub_[3]) << 16 |
                  static_cast<std::uint32_t>(sub_[4]) << 8 | sub_[5];
  }
}

std::vector<std::uint8_t> TelnetCodec::Subnegotiation(std::uint8_t command,
                                                      std::span<const std::uint8_t> value) const {
  std::vector<std::uint8_t> wire{kIac, kSb, kComPort, command};
  for (std::uint8_t byte : value) {
    wire.push_back(byte);
    if (byte == kIac) wire.push_back(kIac);
  }
  wire.insert(wire.end(), {kIac, kSe});
  return wire;
}

std::vector<std::uint8_t> TelnetCodec::LineSettings(std::uint32_t baud) const {
  const std::uint8_t rate[] = {
      static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
      static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)};
  std::vector<std::uint8_t> wire = Subnegotiation(kSetBaudRate, rate);
  const struct {
    std::uint8_t command;
    std::uint8_t value;
  } settings[] = {{kSetDataSize, kEightBits},
                  {kSetParity, kNoParity},
                  {kSetStopSize, kOneStopBit},
                  {kSetControl, kNoFlowControl}};
  for (const auto& setting : settings) {
    const auto part = Subnegotiation(setting.command, std::span(&setting.value, 1));
    wire.insert(wire.end(), part.begin(), part.end());
  }
  return wire;
}

std::vector<std::uint8_t> TelnetCodec::Purge() const {
  return Subnegotiation(kPurgeData, std::span(&kPurgeBoth, 1));
}

}  // namespace tarvo::platform::net
