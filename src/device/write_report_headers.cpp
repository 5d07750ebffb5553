#include <algorithm>

#include "device/device_link.h"
#include "device/exchange_messages.h"
#include "model/code_page.h"

namespace tarvo::device {

namespace {

// Sends one text character by character, ending after the request that carried its 0.
bool SendText(DeviceLink& link, int text, const char* chars, int count) {
  for (int j = 0; j < count; ++j) {
    const auto byte = static_cast<std::uint8_t>(chars[j]);
    const RequestFrame frame = RequestFrame::Make(
        kCmdWriteText, static_cast<std::uint8_t>(text), static_cast<std::uint8_t>(j & 0xFF),
        {static_cast<std::uint8_t>(j >> 8), model::Cp1251ToCp866(byte), 0, 0});
    if (!link.Exchange(frame)) return link.Abandon(kExchangeError);
    if (byte == 0) break;
  }
  return true;
}

}  // namespace

bool DeviceLink::SendReportTexts(const model::ParameterSet& set,
                                 const model::DeviceIdentification& device) {
  // Never more than the device holds: ЛУР-Л keeps a 128-byte header and no footer.
  const model::TextCapacity capacity = model::ReportTextCapacity(device);
  const int headerCount = std::min(capacity.header, model::kHeaderTextSize);
  const int footerCount = std::min(capacity.footer, model::kFooterTextSize);
  const bool header = set.headerEnabled != 0 && headerCount > 0;
  const bool footer = set.footerEnabled != 0 && footerCount > 0;
  const auto flags = static_cast<std::uint8_t>((header ? 1 : 0) | (footer ? 2 : 0));
  if (!Exchange(RequestFrame::Make(kCmdWriteText, flags, 0xFF, {0xFF, 0, 0, 0}))) {
    return Abandon(kExchangeError);
  }
  if (header && !SendText(*this, 0, set.headerText, headerCount)) return false;
  if (footer && !SendText(*this, 1, set.footerText, footerCount)) return false;
  return true;
}

bool DeviceLink::IdentifyConfigured(const model::ParameterSet& set,
                                    model::DeviceIdentification& device) {
  if (set.Variant() == model::DeviceVariant::L && !WakeUp()) return Abandon(kExchangeError);
  if (!Exchange(RequestFrame::Make(kCmdRead, 0, 0, {1, 0, 0, 0})) || !HasValues(1)) {
    return Abandon(kExchangeError);
  }
  Value4 ident{};
  TakeRaw(ident);
  device = {ident[0], ident[1], {ident[2], ident[3]}};
  const model::DeviceVariant variant = set.Variant();
  if (variant == model::DeviceVariant::None || model::VariantOf(device.executionCode) != variant) {
    return ShowExchangeError(kWrongDeviceType);
  }
  return true;
}

bool DeviceLink::WriteReportHeaders(const model::ParameterSet& set, platform::Progress* bar) {
  const ProcedureEnd end{*this, Procedure::WriteTexts};
  if (!OpenPort(set)) return false;
  model::DeviceIdentification device{};
  if (!IdentifyConfigured(set, device)) return false;
  if (!model::SupportsReportTexts(device)) {
    ShowNotice(kNoReportTexts);
    return false;
  }
  progress = bar;
  if (progress != nullptr) {
    progress->SetRange(0, 10);
    progress->SetPos(0);
    progress->SetStep(1);
  }
  if (!SendReportTexts(set, device)) return false;
  if (progress != nullptr) progress->SetPos(0);
  return true;
}

}  // namespace tarvo::device
