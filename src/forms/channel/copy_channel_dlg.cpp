#include "forms/channel/copy_channel_dlg.h"

#include <algorithm>
#include <cstdio>

#include "forms/channel/transfer_channel.h"

namespace tarvo::forms {

namespace {

std::string BoxLabel(int channel) {
  char label[32];
  std::snprintf(label, sizeof label, "Канал %02d", channel);
  return label;
}

}  // namespace

CCopyChannelDlg::CCopyChannelDlg(model::ParameterSet& set, int sourceIndex)
    : set_(set), sourceIndex_(sourceIndex) {
  headings.push_back({"Номера каналов учета, на которые будет произведено копирование параметров"});
  for (int channel = 1; channel <= model::kMaxChannels; ++channel) {
    Row box = CheckBoxRow("", BoxLabel(channel));
    box.visible = false;  // hidden as designed until the dialog is shown
    rows.push_back(std::move(box));
  }
  buttons.push_back({kCopyButton, "Копировать параметры"});
  acceptLabel = "Закрыть";
  cancelLabel.clear();
}

void CCopyChannelDlg::Fill() {
  char caption[160];
  std::snprintf(caption, sizeof caption, "Копирование параметров %d-го канала учета",
                sourceIndex_ + 1);
  title = caption;
  const bool variantU = set_.Variant() == model::DeviceVariant::U;
  const int count = std::clamp(set_.channelCount, 0, model::kMaxChannels);
  for (int i = 0; i < count; ++i) {
    Row& box = rows[i];
    box.visible = true;
    box.checked = false;
    if (!variantU && i < 9) std::erase(box.description, '0');
  }
  if (sourceIndex_ >= 0 && sourceIndex_ < model::kMaxChannels) rows[sourceIndex_].enabled = false;
}

PressResult CCopyChannelDlg::OnPress(std::string_view buttonId, platform::Ui& ui) {
  if (buttonId != kCopyButton) return {};
  const int count = std::clamp(set_.channelCount, 0, model::kMaxChannels);
  for (int i = 0; i < count; ++i) {
    // The source's own box is disabled; copying a record onto itself would clear its types.
    if (!rows[i].checked || i == sourceIndex_) continue;
    TransferChannel(sourceIndex_, i, set_.channels[sourceIndex_], set_.channels[i],
                    set_.ident.executionCode);
    set_.pageFilled[i] = 0;
  }
  ui.ShowMessage("Копирование параметров успешно завершено!", platform::kApplicationTitle,
                 platform::Icon::None, platform::Buttons::Ok);
  return PressResult::Done();
}

}  // namespace tarvo::forms
