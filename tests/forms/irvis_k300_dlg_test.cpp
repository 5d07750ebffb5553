#include "forms/channel/irvis_k300_dlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fakes/recording_ui.h"
#include "forms/channel/channel_page_g.h"
#include "forms/channel/channel_sheet.h"
#include "forms/number_row.h"
#include "model/document.h"
#include "shell/guarded_edit.h"

namespace tarvo::forms {
namespace {

using model::Float32;

struct Dialog {
  explicit Dialog(int channelIndex = 0) {
    document.NewConfiguration(0x42);
    document.Set().channelCount = 10;  // to reach the tenth channel's codes
    dialog = std::make_unique<CIrvisK300Dlg>(document.Set(), channelIndex);
    dialog->Fill();
  }
  model::ChannelRecord& Record() { return document.Set().channels[dialog->ChannelIndex()]; }
  model::ConfigurationDocument document;
  std::unique_ptr<CIrvisK300Dlg> dialog;
  testing::RecordingUi ui;
};

TEST(IrvisK300DlgTest, CodesColumnsAndHeading) {
  for (const auto& [index, first, last, heading] :
       std::vector<std::tuple<int, const char*, const char*, const char*>>{
           {0, "K170", "K197",
            "Параметры  K111 - K117  следует вводить в основном окне параметров канала учета"},
           {9, "K1070", "K1097",
            "Параметры  K1011 - K1017  следует вводить в основном окне параметров канала "
            "учета"}}) {
    Dialog d(index);
    EXPECT_EQ(d.dialog->title, "Параметры расходомера ИРВИС-К300");
    ASSERT_EQ(d.dialog->headings.size(), 1u);
    EXPECT_EQ(d.dialog->headings[0].text, heading);
    ASSERT_EQ(d.dialog->Rows().size(), 28u);
    EXPECT_EQ(d.dialog->Rows().front().code, first);
    EXPECT_EQ(d.dialog->Rows().back().code, last);
  }
  Dialog d;
  const struct {
    std::size_t row;
    const char* code;
    int column;
  } cases[] = {{1, "K171", 0}, {6, "K176", 0}, {7, "K177", 1}, {14, "K184", 2}, {21, "K191", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(d.dialog->Rows()[c.row].code, c.code);
    EXPECT_EQ(d.dialog->Rows()[c.row].column, c.column) << c.code;
    EXPECT_EQ(d.dialog->Rows()[c.row].description, "");
    EXPECT_EQ(d.dialog->Rows()[c.row].cells[0].maxLength, 9);
  }
}

TEST(IrvisK300DlgTest, FillsFromBothArraysInCodeOrder) {
  Dialog d;
  d.Record().irvis1[0] = Float32::Of(1.5f);
  d.Record().irvis2[0] = Float32::Of(-2.0f);
  d.Record().irvis1[13] = Float32::Of(0.0f);
  d.Record().irvis2[13] = Float32::Of(1234567.0f);
  d.dialog->Fill();
  const auto text = [&](const char* code) { return d.dialog->FindRow(code)->Text(); };
  EXPECT_EQ(text("K170"), "1,5");
  EXPECT_EQ(text("K171"), "-2");
  EXPECT_EQ(text("K172"), "-");
  EXPECT_EQ(text("K196"), "0");
  EXPECT_EQ(text("K197"), "1234567");
}

TEST(IrvisK300DlgTest, OkStoresEveryCellWithoutRangeTests) {
  struct Case {
    const char* code;
    const char* text;
    bool first;  // first array, else second
    int element;
    Float32 stored;
  };
  const Case cases[] = {
      {"K170", "1,5", true, 0, Float32::Of(1.5f)},
      {"K171", "1.5", false, 0, Float32::Of(1.5f)},
      {"K172", "", true, 1, Float32::Of(0.0f)},  // empty is 0, which counts as set
      {"K173", " - -", false, 1, Float32::NotSet()},
      {"K180", "12abc", true, 5, Float32::Of(12.0f)},
      {"K196", "-1e30", true, 13, Float32::Of(-1e30f)},
      {"K197", "999999999", false, 13, Float32::Of(999999999.0f)},
  };
  Dialog d;
  for (const Case& c : cases) {
    ASSERT_EQ(d.dialog->EnterValue(d.dialog->RowIndexOf(c.code), c.text).error, std::nullopt)
        << c.code;
  }
  EXPECT_TRUE(d.dialog->Submit(d.ui).accepted);
  EXPECT_TRUE(d.ui.messages.empty());
  for (const Case& c : cases) {
    const auto& array = c.first ? d.Record().irvis1 : d.Record().irvis2;
    EXPECT_EQ(array[c.element], c.stored) << c.code;
  }
  EXPECT_TRUE(d.Record().irvis1[2].IsNotSet()) << "a cell shown as - stays not set";
}

// A stored value whose text is longer than the cell (8.1e22 shows 24 digits) once came back as
// its first nine digits when the table was merely confirmed.
TEST(IrvisK300DlgTest, OkKeepsValuesLongerThanTheCell) {
  const Float32 values[] = {Float32::Of(8.1e22f), Float32::Of(-1e8f), Float32::Of(1e9f)};
  Dialog d;
  for (int i = 0; i < 3; ++i) d.Record().irvis1[i] = values[i];
  d.dialog->Fill();
  ASSERT_GT(d.dialog->FindRow("K170")->Text().size(), 9u);
  EXPECT_TRUE(d.dialog->Submit(d.ui).accepted);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(d.Record().irvis1[i], values[i]) << i;
}

TEST(IrvisK300DlgTest, NanOrInfinityIsRefusedAndNothingStored) {
  for (const char* text : {"nan", "inf", "-inf", "1e39", "-1e39", "infinity"}) {
    Dialog d;
    ASSERT_EQ(d.dialog->EnterValue(d.dialog->RowIndexOf("K170"), "2").error, std::nullopt);
    ASSERT_EQ(d.dialog->EnterValue(d.dialog->RowIndexOf("K181"), text).error, std::nullopt);
    const auto before = std::make_unique<model::ParameterSet>(d.document.Set());
    const Verdict verdict = d.dialog->Submit(d.ui);
    EXPECT_FALSE(verdict.accepted) << text;
    EXPECT_EQ(verdict.row, d.dialog->RowIndexOf("K181")) << text;
    ASSERT_EQ(d.ui.messages.size(), 1u) << text;
    EXPECT_EQ(d.ui.messages[0].text, NotFiniteMessage("K181"));
    EXPECT_EQ(d.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(std::memcmp(before.get(), &d.document.Set(), sizeof(model::ParameterSet)), 0)
        << text << ": nothing is stored, not even the good cells";
  }
}

// The table lives in the set while the sheet runs: the page's check sees it at once, and the
// sheet's Cancel takes it back with everything else.
TEST(IrvisK300DlgTest, PageSeesTheTableAndSheetCancelRestoresIt) {
  for (const bool ok : {true, false}) {
    model::ConfigurationDocument document;
    document.NewConfiguration(0x43);
    document.Set().checkForStart = 0;
    shell::GuardedEdit(document, [&](model::ParameterSet& set) {
      std::string message;
      auto sheet = MakeChannelSheet(set, message);
      testing::RecordingUi ui;
      sheet->Open(ui);
      Page& page = sheet->PageAt(0);
      EXPECT_EQ(page.EnterCell(page.RowIndexOf("K100"), 0, "5460000").error, std::nullopt);
      EXPECT_FALSE(sheet->Ok(ui));
      EXPECT_EQ(ui.messages.back().text, "Необходимо задать параметры расходомера ИРВИС-К300");
      auto dialog = page.Press(CChannel_G_Page::kIrvisButton, ui).dialog;
      dialog->Fill();
      for (int row = 0; row < static_cast<int>(dialog->Rows().size()); ++row) {
        EXPECT_EQ(dialog->EnterCell(row, 0, "").error, std::nullopt);
      }
      EXPECT_EQ(dialog->EnterCell(dialog->RowIndexOf("K185"), 0, "-").error, std::nullopt);
      EXPECT_TRUE(dialog->Submit(ui).accepted);
      EXPECT_FALSE(sheet->Ok(ui)) << "one value still not set";
      dialog = page.Press(CChannel_G_Page::kIrvisButton, ui).dialog;
      dialog->Fill();
      EXPECT_EQ(dialog->FindRow("K185")->Text(), "-");
      EXPECT_EQ(dialog->FindRow("K184")->Text(), "0");
      EXPECT_EQ(dialog->EnterCell(dialog->RowIndexOf("K185"), 0, "2,5").error, std::nullopt);
      EXPECT_TRUE(dialog->Submit(ui).accepted);
      EXPECT_TRUE(sheet->Ok(ui));
      EXPECT_EQ(set.channels[0].irvis2[7], Float32::Of(2.5f));
      return ok ? shell::FormResult::Ok : shell::FormResult::Cancel;
    });
    const model::ChannelRecord& record = document.Set().channels[0];
    EXPECT_EQ(record.irvis2[7], ok ? Float32::Of(2.5f) : Float32::NotSet());
    EXPECT_EQ(record.typeDigits3to5[0], ok ? 6 : 0);
    EXPECT_EQ(document.Modified(), ok);
  }
}

}  // namespace
}  // namespace tarvo::forms
