#include "forms/channel/copy_channel_dlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/recording_ui.h"

namespace tarvo::forms {
namespace {

std::unique_ptr<model::ParameterSet> NewSet(std::uint8_t executionCode) {
  auto set = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*set, executionCode);
  return set;
}

TEST(CopyChannelDlgTest, ShowsTheConfigurationsBoxesWithTheSourceDisabled) {
  auto set = NewSet(0x47);
  CCopyChannelDlg dialog(*set, 1);
  for (const Row& box : dialog.Rows()) EXPECT_FALSE(box.visible);  // hidden as designed
  dialog.Fill();
  EXPECT_EQ(dialog.title, "Копирование параметров 2-го канала учета");
  EXPECT_EQ(dialog.headings.at(0).text,
            "Номера каналов учета, на которые будет произведено копирование параметров");
  EXPECT_EQ(dialog.acceptLabel, "Закрыть");
  EXPECT_TRUE(dialog.cancelLabel.empty());
  EXPECT_EQ(dialog.buttons.at(0).label, "Копировать параметры");
  ASSERT_EQ(dialog.Rows().size(), 20u);
  EXPECT_EQ(dialog.Rows()[0].description, "Канал 1");
  EXPECT_TRUE(dialog.Rows()[2].visible);
  EXPECT_FALSE(dialog.Rows()[3].visible);
  EXPECT_FALSE(dialog.Rows()[1].enabled);
  EXPECT_TRUE(dialog.Rows()[0].enabled);
  EXPECT_FALSE(dialog.Rows()[0].checked);
}

TEST(CopyChannelDlgTest, LabelsKeepTheirZerosOnlyInVariantU) {
  auto u = NewSet(0x50);
  CCopyChannelDlg dialogU(*u, 0);
  dialogU.Fill();
  EXPECT_EQ(dialogU.Rows()[0].description, "Канал 01");
  EXPECT_EQ(dialogU.Rows()[9].description, "Канал 10");
  EXPECT_EQ(dialogU.Rows()[19].description, "Канал 20");
  EXPECT_TRUE(dialogU.Rows()[19].visible);
  auto uv = NewSet(0x60);
  CCopyChannelDlg dialogUV(*uv, 0);
  dialogUV.Fill();
  EXPECT_EQ(dialogUV.Rows()[8].description, "Канал 9");
  EXPECT_EQ(dialogUV.Rows()[9].description, "Канал 10");
}

TEST(CopyChannelDlgTest, CopiesOntoTickedChannelsAndReports) {
  auto set = NewSet(0x47);
  set->channels[0].typeDigits3to5[0] = 2;
  set->channels[0].typeDigits3to5[1] = 3;
  set->channels[0].Slot(24) = model::Float32::Of(20.0f);
  set->channels[1].pressureInput = 7;
  set->pageFilled[1] = 1;
  set->pageFilled[2] = 1;
  CCopyChannelDlg dialog(*set, 0);
  dialog.Fill();
  ASSERT_EQ(dialog.EnterValue(1, "1").error, std::nullopt);
  EXPECT_NE(dialog.EnterValue(0, "1").error, std::nullopt);  // the source box is disabled
  testing::RecordingUi ui;
  EXPECT_EQ(dialog.Press(CCopyChannelDlg::kCopyButton, ui).outcome, PressResult::Outcome::Done);
  const model::ChannelRecord& target = set->channels[1];
  EXPECT_EQ(target.Slot(24), model::Float32::Of(20.0f));
  EXPECT_EQ(target.typeDigits3to5[0], 2);
  EXPECT_EQ(target.typeDigits3to5[1], 0);  // execution code 47: flow transducer 1 only
  EXPECT_EQ(target.pressureInput, 7);
  EXPECT_EQ(set->pageFilled[1], 0);
  EXPECT_EQ(set->pageFilled[2], 1);
  EXPECT_TRUE(set->channels[2].Slot(24).IsNotSet());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Копирование параметров успешно завершено!");
  EXPECT_EQ(ui.messages[0].caption, platform::kApplicationTitle);
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::None);
  EXPECT_TRUE(dialog.Rows()[1].checked);  // the boxes keep their state
}

TEST(CopyChannelDlgTest, NoBoxTickedStillReportsSuccess) {
  auto set = NewSet(0x49);
  const auto before = std::make_unique<model::ParameterSet>(*set);
  CCopyChannelDlg dialog(*set, 3);
  dialog.Fill();
  testing::RecordingUi ui;
  dialog.Press(CCopyChannelDlg::kCopyButton, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Копирование параметров успешно завершено!");
  EXPECT_TRUE(set->SameContent(*before));
}

}  // namespace
}  // namespace tarvo::forms
