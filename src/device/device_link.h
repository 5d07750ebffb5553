#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "device/frame.h"
#include "model/parameter_set.h"
#include "platform/port_map.h"
#include "platform/progress.h"
#include "platform/serial_port.h"
#include "platform/ui.h"

namespace tarvo::device {

// The serial link for one exchange with a flow computer: strictly one request, then its response.
class DeviceLink {
 public:
  DeviceLink(platform::SerialPort& port, platform::Clock& clock, platform::Ui& ui);
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Device error code of the last response, 0 when none.
  std::int32_t errorCode = 0;
  // Decode position in the response, counted from the start byte.
  std::uint16_t cursor = 0;
  // When false, TakeFloat turns 0.0 and not-a-number into the not-set marker.
  bool keepZeroValues = false;
  // Stepped for every answered request when set; a procedure sets it and clears it when it ends.
  platform::Progress* progress = nullptr;
  // Requests answered since the procedure began, and how many it expects in all.
  int answered = 0;
  int expected = 0;
  // The procedure expects remaining more requests after those answered.
  void ExpectMore(int remaining) { SetExpected(answered + remaining); }
  // Requests counted on that will not be made (an optional block the device does not have).
  void ExpectFewer(int requests) { SetExpected(expected - requests); }

  // Raised from another thread (a stop button, Ctrl+C): the exchange ends between two frames,
  // within a tenth of a second of any wait.
  const std::atomic<bool>* stop = nullptr;
  // True once the running or last procedure was stopped.
  bool Stopped() const { return stopped_; }

  // A device path used instead of the COMn lookup (the command-line tool's --port PATH).
  std::string portPath;
  platform::PortMapSources portMap = platform::DefaultPortMapSources();
  // Sees every frame sent ('>') and every response received ('<'), whole or cut short.
  std::function<void(char direction, std::span<const std::uint8_t> bytes)> trace;

  RequestFrame request;
  ResponseFrame response;

  // Counters for the benchmark.
  int requestsSent = 0;
  std::int64_t bytesSent = 0;
  std::int64_t bytesReceived = 0;

  bool OpenPort(const model::ParameterSet& set);
  void ConfigurePort(int speedCode);
  // Sends request, sealed with its CRC.
  bool SendRequest();
  bool ReceiveResponse();
  // Closes the port; an abandoned exchange is cancelled and drained first.
  void ClosePort();

  bool TakeFloat(model::Float32& out, int skip = 0);
  bool TakeRaw(Value4& out, int skip = 0);
  bool TakeHexDigits(char (&out)[9], int skip = 0);
  // Error icon, OK button; always false so callers can return it. After a stop the user hears
  // of the stop instead, once.
  bool ShowExchangeError(const std::string& text);
  // A message without an icon.
  void ShowNotice(const std::string& text);

  // Each procedure ends the exchange however it returns: the line is drained and closed and bar
  // is no longer touched, so the caller may free it at once.
  bool ReadAllParameters(model::ParameterSet& set, platform::Progress* bar);
  bool WriteAllParameters(const model::ParameterSet& set, platform::Progress* bar);
  bool WriteReportHeaders(const model::ParameterSet& set, platform::Progress* bar);

  // Shared steps of the procedures.
  bool Exchange(const RequestFrame& frame) {
    request = frame;
    return SendRequest() && ReceiveResponse();
  }
  // Sends the wake-up frame, reads nothing, and pauses 2000 ms.
  bool WakeUp();
  // True when the last response carries at least count 4-byte values.
  bool HasValues(int count) const { return response.DataLength() >= 4u * count; }
  // Puts the cursor on parameter of a block read from parameter first.
  void Seek(int first, int parameter) {
    cursor = static_cast<std::uint16_t>(3 + 4 * (parameter - first));
  }
  // Discards what is pending on the line, so a late answer cannot pass for the next one.
  void Drain() { port_.CancelAndDrain(); }
  // Stops the exchange: drains the line, shows the message, returns false.
  bool Abandon(const std::string& text);
  // Sends the opening request and the enabled texts, character by character.
  bool SendReportTexts(const model::ParameterSet& set, const model::DeviceIdentification& device);
  // The requests SendReportTexts makes when every one is answered.
  static int ReportTextRequests(const model::ParameterSet& set,
                                const model::DeviceIdentification& device);
  // Wake-up for ЛУР-Л, identification with CMD_READ, and the check that the device is of the
  // configured variant; shows the message and returns false otherwise.
  bool IdentifyConfigured(const model::ParameterSet& set, model::DeviceIdentification& device);

 private:
  enum class Procedure { Read, WriteParameters, WriteTexts };
  // Starts a procedure and ends it on every return path.
  struct ProcedureEnd {
    ProcedureEnd(DeviceLink& link, Procedure procedure, platform::Progress* bar) : link(link) {
      link.BeginProcedure(procedure, bar);
    }
    ~ProcedureEnd() { link.EndProcedure(); }
    DeviceLink& link;
  };
  void BeginProcedure(Procedure procedure, platform::Progress* bar);
  void EndProcedure();
  bool StopRequested();
  void SetExpected(int total) {
    expected = total;
    if (progress != nullptr) progress->SetTotal(total);
  }
  // What the user is told when a procedure was stopped.
  std::string StopMessage() const;

  bool Receive(std::size_t offset, std::size_t count, std::int64_t deadlineMs);
  // Waits for the start byte until 5 s after start, passing over noise.
  bool ReceiveStartByte(std::int64_t start);
  enum class FramePart { Failed, Echo, Response };
  // Reads the rest of a frame after its start byte: a response, or the request coming back.
  FramePart ReceiveFrameAfterStartByte();
  // Time the bytes take on the line at its rate, 10 bits each.
  std::int64_t WireMs(std::size_t bytes) const;
  void TraceResponse();
  // True when the next count bytes at the cursor lie inside the received data.
  bool DataAtCursor(std::size_t count) const;

  platform::SerialPort& port_;
  platform::Clock& clock_;
  platform::Ui& ui_;
  int baud_ = 0;
  bool abandoned_ = false;
  Procedure procedure_ = Procedure::Read;
  bool stopped_ = false;
  bool stopReported_ = false;
  // A write command has gone out: the device may hold part of the new configuration.
  bool deviceChanged_ = false;
};

}  // namespace tarvo::device
