#include "forms/form.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"

namespace tarvo::forms {
namespace {

Row InputsRow() {
  Row row = TextRow("K0301", " Назначение каналов преобразователей Q (dP)", 2);
  row.cells = {Cell{"", 2}, Cell{"", 2}, Cell{"", 2}};
  return row;
}

struct Case {
  const char* value;
  std::vector<std::string> cells;  // empty: refused
};

class MultiCellEntry : public ::testing::TestWithParam<Case> {};

TEST_P(MultiCellEntry, CommasOrFixedWidths) {
  const Case& c = GetParam();
  Row row = InputsRow();
  row.cells[0].text = "07";
  const auto error = EnterRowValue(row, c.value);
  std::vector<std::string> texts;
  for (const Cell& cell : row.cells) texts.push_back(cell.text);
  if (c.cells.empty()) {
    EXPECT_NE(error, std::nullopt);
    EXPECT_EQ(texts, (std::vector<std::string>{"07", "", ""})) << "a refusal changes no cell";
  } else {
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(texts, c.cells);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MultiCellEntry,
                         ::testing::Values(Case{"01,17,5", {"01", "17", "5"}},
                                           Case{"011705", {"01", "17", "05"}},
                                           Case{"0117", {"01", "17", ""}},
                                           Case{"1,", {"1", "", ""}}, Case{"", {"", "", ""}},
                                           Case{"0117051", {}}, Case{"1,2,3,4", {}},
                                           Case{"123,4", {}}));

TEST(EnterRowValueTest, TextLongerThanTheCellIsRefusedWithTheLimit) {
  Row row = TextRow("K003", " Режим работы вычислителя", 2);
  row.Text() = "00";
  EXPECT_EQ(EnterRowValue(row, "123"),
            std::optional<std::string>("значение «123» длиннее ячейки (наибольшая длина 2)"));
  EXPECT_EQ(row.Text(), "00");
  EXPECT_EQ(EnterRowValue(row, "ъ1"), std::nullopt);  // characters, not bytes
}

TEST(EnterRowValueTest, CheckBoxTakesOneOrZero) {
  Row row = CheckBoxRow("K017", " Переход");
  EXPECT_EQ(EnterRowValue(row, "1"), std::nullopt);
  EXPECT_TRUE(row.checked);
  EXPECT_EQ(RowValueText(row), "1");
  EXPECT_NE(EnterRowValue(row, "yes"), std::nullopt);
  EXPECT_TRUE(row.checked);
  EXPECT_EQ(EnterRowValue(row, "0"), std::nullopt);
  EXPECT_EQ(RowValueText(row), "0");
}

TEST(EnterRowValueTest, DropDownTakesTheEntryTextOrItsIndex) {
  Row row;
  row.kind = CellKind::DropDown;
  row.entries = {"молярные", "массовые", "объемные"};
  EXPECT_EQ(EnterRowValue(row, "массовые"), std::nullopt);
  EXPECT_EQ(row.selected, 1);
  EXPECT_EQ(EnterRowValue(row, "2"), std::nullopt);
  EXPECT_EQ(RowValueText(row), "объемные");
  EXPECT_NE(EnterRowValue(row, "3"), std::nullopt);
  EXPECT_NE(EnterRowValue(row, "-1"), std::nullopt);
  EXPECT_EQ(row.selected, 2);
}

TEST(EnterRowValueTest, HiddenOrDisabledRowsTakeNothing) {
  Row row = TextRow("K034", " Первая часть", 3);
  row.visible = false;
  EXPECT_NE(EnterRowValue(row, "1"), std::nullopt);
  row.visible = true;
  row.enabled = false;
  EXPECT_NE(EnterRowValue(row, "1"), std::nullopt);
  EXPECT_EQ(row.Text(), "");
}

// A dialog of the shape of the associated-gas one: a list whose choice relabels another row.
class ListDialog : public Form {
 public:
  ListDialog() {
    Row kind;
    kind.code = "K0177";
    kind.kind = CellKind::DropDown;
    kind.entries = {"абсолютная", "относительная"};
    rows.push_back(kind);
    rows.push_back(TextRow("K0180", "Абсолютная влажность, г/куб.м", 9));
  }
  void Fill() override { rows[0].selected = 0; }
  bool Accept(platform::Ui&) override { return true; }
  void RowChanged(Row& row) override {
    if (&row == &rows[0]) {
      rows[1].description =
          row.selected == 0 ? "Абсолютная влажность, г/куб.м" : "Относительная влажность, %";
    }
  }
};

// A page with a plain button that checks the page and two dialog buttons, one hidden.
class PageWithButtons : public Form {
 public:
  PageWithButtons() {
    buttons.push_back({"copy", "Копирование параметров канала"});
    buttons.push_back({"gas", "Параметры попутного газа", true, true, true});
    buttons.push_back({"hidden", "Скрытый", false, true, true});
  }
  void Fill() override {}
  bool Accept(platform::Ui&) override { return true; }
  std::unique_ptr<Form> Press(std::string_view id, platform::Ui&) override {
    pressed.emplace_back(id);
    return id == "copy" ? nullptr : std::make_unique<ListDialog>();
  }
  std::vector<std::string> pressed;
};

TEST(FormTest, EnteringAChoiceTellsTheFormButTypingDoesNot) {
  ListDialog dialog;
  dialog.Fill();
  EXPECT_EQ(dialog.EnterValue(dialog.rows[0], "относительная"), std::nullopt);
  EXPECT_EQ(dialog.rows[1].description, "Относительная влажность, %");
  EXPECT_NE(dialog.EnterValue(dialog.rows[0], "7"), std::nullopt);
  EXPECT_EQ(dialog.rows[1].description, "Относительная влажность, %");
  EXPECT_EQ(dialog.EnterValue(dialog.rows[0], "0"), std::nullopt);
  EXPECT_EQ(dialog.rows[1].description, "Абсолютная влажность, г/куб.м");
}

TEST(FormTest, OpenDialogsPressesOnlyTheShownDialogButtons) {
  PageWithButtons page;
  testing::RecordingUi ui;
  const auto dialogs = OpenDialogs(page, ui);
  EXPECT_EQ(page.pressed, std::vector<std::string>{"gas"});
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].buttonId, "gas");
  EXPECT_EQ(dialogs[0].form->rows[0].selected, 0) << "the dialog is filled";
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::forms
