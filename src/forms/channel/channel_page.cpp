#include "forms/channel/channel_page.h"

#include <cstdio>

#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/transfer_channel.h"
#include "forms/channel/type_code_demands.h"
#include "forms/channel/type_code_helper.h"
#include "forms/form_messages.h"

namespace tarvo::forms {

ChannelPage::ChannelPage(model::ParameterSet& set, int channelIndex)
    : set_(set), index_(channelIndex) {
  buttons.push_back({kCopyButton, "Копирование параметров канала"});
}

void ChannelPage::Fill() {
  // A new page always fills once; making a page changes nothing in the set.
  if (filledOnce_ && set_.pageFilled[index_] != 0) return;
  FillCells();
  filledOnce_ = true;
  set_.pageFilled[index_] = 1;
}

bool ChannelPage::Accept(platform::Ui& ui) {
  ++leaveCount_;
  return ValidatePage(ui);
}

bool ChannelPage::LeaveAtOpening(platform::Ui& ui) {
  if (index_ != 0) return Accept(ui);
  ++leaveCount_;
  return true;
}

PressResult ChannelPage::OnPress(std::string_view buttonId, platform::Ui& ui) {
  if (buttonId != kCopyButton) return {};
  if (!ValidatePage(ui)) return PressResult::Refused();
  return PressResult::OpenDialog(std::make_unique<CCopyChannelDlg>(set_, index_));
}

bool ChannelPage::ValidatePage(platform::Ui& ui) {
  const auto working = std::make_unique<model::ParameterSet>();
  working->Reset();
  if (!CheckRows(*working, ui)) return false;
  const model::ChannelRecord& record = working->channels[index_];
  if (set_.checkForStart != 0 && record.mediumKind != 0 &&
      !RunCompletionRules(CompletionRules(record), record, ui)) {
    return false;
  }
  TransferChannel(index_, index_, working->channels[index_], set_.channels[index_],
                  set_.ident.executionCode);
  return true;
}

bool ChannelPage::ReadTypeCodeRow(model::ChannelRecord& record, platform::Ui& ui) const {
  const TypeCodeLayout layout = TypeCode();
  const TypeCodeReading reading = ReadTypeCode(layout, rows[0].Text());
  if (!reading.Accepted()) {
    ShowError(ui, std::string(kTypeCodeMessage) + "\n" + reading.fault);
    return MarkRefused(rows[0]);
  }
  layout.store(reading.values, record);
  return true;
}

void ChannelPage::AttachTypeCodeHelper() {
  rows[0].helper = [this] { return TypeCodeHelper(); };
}

std::unique_ptr<RowHelperForm> ChannelPage::TypeCodeHelper() {
  return std::make_unique<TypeCodeHelperForm>(*this, 0, TypeCode(),
                                              TypeCodeDemands(*this, set_, index_));
}

std::string ChannelCode(model::DeviceVariant variant, int channelIndex, int number) {
  char code[32];
  std::snprintf(code, sizeof code, variant == model::DeviceVariant::U ? "K%02d%02d" : "K%d%02d",
                channelIndex + 1, number);
  return code;
}

bool RunCompletionRules(std::span<const CompletionRule> rules, const model::ChannelRecord& record,
                        platform::Ui& ui) {
  for (const CompletionRule& rule : rules) {
    if (rule.applies != nullptr && !rule.applies(record)) continue;
    if (record.Slot(rule.slot).IsNotSet()) return ShowStartError(ui, rule.message);
  }
  return true;
}

}  // namespace tarvo::forms
