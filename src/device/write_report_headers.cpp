#include <algorithm>
#include <cstring>

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

namespace {

// The texts that go to the device and how many characters of each it holds: ЛУР-Л keeps a
// 128-byte header and no footer.
struct TextPlan {
  bool header;
  bool footer;
  int headerCount;
  int footerCount;
};

TextPlan PlanTexts(const model::ParameterSet& set, const model::DeviceIdentification& device) {
  const model::TextCapacity capacity = model::ReportTextCapacity(device);
  const int headerCount = std::min(capacity.header, model::kHeaderTextSize);
  const int footerCount = std::min(capacity.footer, model::kFooterTextSize);
  return {set.headerEnabled != 0 && headerCount > 0, set.footerEnabled != 0 && footerCount > 0,
          headerCount, footerCount};
}

// The characters SendText sends: up to and with the closing 0.
int TextRequests(const char* chars, int count) {
  const void* end = std::memchr(chars, 0, static_cast<std::size_t>(count));
  return end == nullptr ? count : static_cast<int>(static_cast<const char*>(end) - chars) + 1;
}

}  // namespace

bool DeviceLink::SendReportTexts(const model::ParameterSet& set,
                                 const model::DeviceIdentification& device) {
  const TextPlan plan = PlanTexts(set, device);
  const auto flags = static_cast<std::uint8_t>((plan.header ? 1 : 0) | (plan.footer ? 2 : 0));
  if (!Exchange(RequestFrame::Make(kCmdWriteText, flags, 0xFF, {0xFF, 0, 0, 0}))) {
    return Abandon(kExchangeError);
  }
  if (plan.header && !SendText(*this, 0, set.headerText, plan.headerCount)) return false;
  if (plan.footer && !SendText(*this, 1, set.footerText, plan.footerCount)) return false;
  return true;
}

int DeviceLink::ReportTextRequests(const model::ParameterSet& set,
                                   const model::DeviceIdentification& device) {
  const TextPlan plan = PlanTexts(set, device);
  return 1 + (plan.header ? TextRequests(set.headerText, plan.headerCount) : 0) +
         (plan.footer ? TextRequests(set.footerText, plan.footerCount) : 0);
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
  const ProcedureEnd end{*this, Procedure::WriteTexts, bar};
  if (!OpenPort(set)) return false;
  model::DeviceIdentification device{};
  if (!IdentifyConfigured(set, device)) return false;
  if (!model::SupportsReportTexts(device)) {
    ShowNotice(kNoReportTexts);
    return false;
  }
  ExpectMore(ReportTextRequests(set, device));
  return SendReportTexts(set, device);
}

}  // namespace tarvo::device
