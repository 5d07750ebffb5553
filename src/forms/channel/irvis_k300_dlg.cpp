#include "forms/channel/irvis_k300_dlg.h"

#include <cmath>
#include <cstdio>

#include "forms/channel/channel_page.h"
#include "forms/form_messages.h"
#include "model/check_range.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr int kRowsPerColumn = 7;

}  // namespace

CIrvisK300Dlg::CIrvisK300Dlg(model::ParameterSet& set, int channelIndex)
    : set_(set), index_(channelIndex) {
  title = "Параметры расходомера ИРВИС-К300";
  headings.push_back({""});
  for (int k = 0; k < kValueCount; ++k) {
    // Always "K%d%02d": the tenth channel reads K1070, not K-70.
    rows.push_back(NumberRow(ChannelCode(model::DeviceVariant::G, index_, kFirstNumber + k), "",
                             k / kRowsPerColumn));
  }
}

model::Float32& CIrvisK300Dlg::Value(int k) {
  model::ChannelRecord& record = set_.channels[index_];
  return k % 2 == 0 ? record.irvis1[k / 2] : record.irvis2[k / 2];
}

void CIrvisK300Dlg::Fill() {
  char heading[200];
  std::snprintf(heading, sizeof heading,
                "Параметры  K%d11 - K%d17  следует вводить в основном окне параметров канала "
                "учета",
                index_ + 1, index_ + 1);
  headings.front().text = heading;
  for (int k = 0; k < kValueCount; ++k) {
    rows[k].Text() = model::FormatValue(Value(k));
    rows[k].cells.front().maxLength = model::kValueCellLength;
  }
}

bool CIrvisK300Dlg::Accept(platform::Ui& ui) {
  model::Float32 read[kValueCount];
  for (int k = 0; k < kValueCount; ++k) {
    // The whole cell, as every number cell is read (see ReadInRange).
    read[k] = model::ReadValueText(rows[k].Text());
    // The table has no ranges, but nan or infinity must never reach the flow computer.
    if (!read[k].IsNotSet() && !std::isfinite(read[k].Value())) {
      ShowError(ui, "Значение параметра " + rows[k].code + " должно быть конечным числом");
      return MarkRefused(rows[k]);
    }
  }
  for (int k = 0; k < kValueCount; ++k) Value(k) = read[k];
  return true;
}

}  // namespace tarvo::forms
