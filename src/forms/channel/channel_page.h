#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "forms/channel/type_code_layout.h"
#include "forms/number_row.h"
#include "forms/property_sheet.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// The refusal of a type code row, the same on every variant's page.
inline constexpr const char* kTypeCodeMessage =
    "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
inline constexpr const char* kTypeCodeDescription = " Вид носителя и тип преобразователей";

// A start-of-counting demand: the slot must be set when the condition holds (null = always).
struct CompletionRule {
  int slot;
  const char* message;
  bool (*applies)(const model::ChannelRecord& record) = nullptr;
};

// What every channel page shares: it edits one channel record, fills its cells only while the
// channel's page-filled flag is clear, validates into a reset working copy when it is left and
// commits with TransferChannel, and offers "Копирование параметров канала" and a helper that
// composes the type code. A variant's page supplies its rows, their checks, its type code and
// its completion rules.
class ChannelPage : public Page {
 public:
  static constexpr const char* kCopyButton = "copy";

  ChannelPage(model::ParameterSet& set, int channelIndex);

  int ChannelIndex() const { return index_; }
  int LeaveCount() const { return leaveCount_; }

  // FillRows: nothing while the page-filled flag is set, so typed values survive switching
  // pages; a copy onto the channel clears the flag.
  void Fill() final;
  // The first channel page is left once as the sheet opens, before the user sees it: that
  // one leave is not checked.
  bool LeaveAtOpening(platform::Ui& ui) override;

  // Checks the page into a reset working copy and, when everything passes, commits it. Of the
  // start-of-counting demands left unmet only the first is shown, and its row is named.
  bool ValidatePage(platform::Ui& ui);
  // Every demand the page's values leave unmet while the switch is on. The type code decides
  // which apply; a value the page refuses does not hide the demands of the other rows.
  std::vector<Demand> UnmetDemands() override;

  // The type code (row 0) on this channel: its positions, their values and rules.
  virtual TypeCodeLayout TypeCode() const = 0;
  // The start-of-counting demands for a record, in the order they are reported.
  virtual std::span<const CompletionRule> CompletionRules(
      const model::ChannelRecord& record) const = 0;
  // The helper of the type code row, filled from the row.
  std::unique_ptr<RowHelperForm> TypeCodeHelper();

 protected:
  // Every leave the user makes is checked and, when it passes, committed.
  bool Accept(platform::Ui& ui) override;
  // The copy button: validates; only when that passes opens the copy dialog.
  PressResult OnPress(std::string_view buttonId, platform::Ui& ui) override;

  // A button opening a dialog of this channel's table, which checks nothing of the page first.
  template <typename Dialog>
  void AddDialogButton(const char* id, const char* label) {
    Button button{id, label};
    button.dialog = [this] { return std::make_unique<Dialog>(set_, index_); };
    buttons.push_back(std::move(button));
  }

  // Writes every row from the set (and the variant's own steps, such as hiding a button).
  virtual void FillCells() = 0;
  // Special rows, value rows and the tests that do not depend on the switch, into the working
  // copy's record of this channel; one message on the first failure.
  virtual bool CheckRows(model::ParameterSet& working, platform::Ui& ui) = 0;
  // Gives the type code row (row 0, made already) its helper.
  void AttachTypeCodeHelper();
  // Reads the type code row into the working record; a refusal names the position and the rule
  // it breaks on a second line.
  bool ReadTypeCodeRow(model::ChannelRecord& record, platform::Ui& ui) const;
  // Adds a number row and notes the float slot it shows, so that a demand of the slot names it.
  void AddNumberRow(const NumberRowSpec& spec, const RowPlace& place);
  void NoteSlotRow(const NumberRowSpec& spec, std::size_t row);

  model::ParameterSet& set_;

 private:
  // The demands the record read leaves unmet; a slot shown by a row is judged by its cell.
  std::vector<Demand> DemandsOf(const model::ChannelRecord& record) const;

  int index_;
  int leaveCount_ = 0;
  bool filledOnce_ = false;
  // The row showing each float slot (index = slot number), -1 where none does.
  std::array<int, model::kChannelFloatSlots + 1> slotRows_;
};

// A fixed channel code (type code row, table codes): "K%d" with the channel number, "K%02d" in
// variant У, then two digits. Unlike the code of a number row it spells channel 10 out: K1000.
std::string ChannelCode(model::DeviceVariant variant, int channelIndex, int number);

}  // namespace tarvo::forms
