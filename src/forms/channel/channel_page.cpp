#include "forms/channel/channel_page.h"

#include <cstdio>

#include "forms/capturing_ui.h"
#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/transfer_channel.h"
#include "forms/channel/type_code_demands.h"
#include "forms/channel/type_code_helper.h"
#include "forms/form_messages.h"
#include "model/value_text.h"

namespace tarvo::forms {

ChannelPage::ChannelPage(model::ParameterSet& set, int channelIndex)
    : set_(set), index_(channelIndex) {
  buttons.push_back({kCopyButton, "Копирование параметров канала"});
  slotRows_.fill(-1);
}

void ChannelPage::AddNumberRow(const NumberRowSpec& spec, const RowPlace& place) {
  rows.push_back(MakeNumberRow(spec, place));
  NoteSlotRow(spec, rows.size() - 1);
}

void ChannelPage::NoteSlotRow(const NumberRowSpec& spec, std::size_t row) {
  // The field is found by where it points within this page's own record.
  const model::Float32* field = &spec.field(set_, index_);
  for (int slot = 1; slot <= model::kChannelFloatSlots; ++slot) {
    if (&set_.channels[index_].Slot(slot) == field) {
      slotRows_[slot] = static_cast<int>(row);
      return;
    }
  }
}

void ChannelPage::Fill() {
  // A new page always fills once; making a page changes nothing in the set.
  if (filledOnce_ && set_.pageFilled[index_] != 0) return;
  FillCells();
  filledOnce_ = true;
  set_.pageFilled[index_] = 1;
  MarkDemands();
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
  const std::vector<Demand> demands = DemandsOf(working->channels[index_]);
  if (!demands.empty()) {
    ShowStartError(ui, demands.front().message);
    if (demands.front().row >= 0) MarkRefused(rows[demands.front().row]);
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

std::vector<Demand> ChannelPage::UnmetDemands() {
  if (set_.checkForStart == 0) return {};
  // Read out of sight; the marks of a refusal belong to the user's OK, not to this reading.
  std::vector<std::pair<int, int>> marks;
  for (const Row& row : rows) marks.emplace_back(row.refusedCell, row.refusalOrder);
  const auto working = std::make_unique<model::ParameterSet>();
  working->Reset();
  CapturingUi unseen;
  CheckRows(*working, unseen);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].refusedCell = marks[i].first;
    rows[i].refusalOrder = marks[i].second;
  }
  return DemandsOf(working->channels[index_]);
}

std::vector<Demand> ChannelPage::DemandsOf(const model::ChannelRecord& record) const {
  std::vector<Demand> demands;
  if (set_.checkForStart == 0 || record.mediumKind == 0) return demands;
  for (const CompletionRule& rule : CompletionRules(record)) {
    if (rule.applies != nullptr && !rule.applies(record)) continue;
    const int row = slotRows_[rule.slot];
    const bool shown = row >= 0 && rows[row].visible;
    // A cell reads as not set only when it holds dashes; whatever else it holds counts as set.
    const bool notSet =
        shown ? model::IsDashes(rows[row].Text()) : record.Slot(rule.slot).IsNotSet();
    if (notSet) demands.push_back({shown ? row : -1, rule.message});
  }
  return demands;
}
}  // namespace tarvo::forms
