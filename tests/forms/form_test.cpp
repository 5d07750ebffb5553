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
  // What a form does to its own rows, which no entry can: add one, or disable one.
  int AddRow(Row row) {
    rows.push_back(std::move(row));
    return static_cast<int>(rows.size()) - 1;
  }
  void Disable(int row) { rows[row].enabled = false; }
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
    buttons.emplace_back("copy", "Копирование параметров канала");
    for (const char* id : {"gas", "hidden"}) {
      Button& button = buttons.emplace_back(id, id);
      button.dialog = [this, id] {
        pressed.emplace_back(id);
        return std::make_unique<ListDialog>();
      };
    }
    buttons.back().visible = false;
  }
  void Fill() override {}
  bool Accept(platform::Ui&) override { return true; }
  PressResult OnPress(std::string_view id, platform::Ui&) override {
    pressed.emplace_back(id);
    return PressResult::Refused();
  }
  std::vector<std::string> pressed;
};

TEST(FormTest, EnteringAChoiceTellsTheFormButTypingDoesNot) {
  ListDialog dialog;
  dialog.Fill();
  EXPECT_EQ(dialog.EnterValue(0, "относительная").error, std::nullopt);
  EXPECT_EQ(dialog.Rows()[1].description, "Относительная влажность, %");
  EXPECT_NE(dialog.EnterValue(0, "7").error, std::nullopt);
  EXPECT_EQ(dialog.Rows()[1].description, "Относительная влажность, %");
  EXPECT_EQ(dialog.EnterValue(0, "0").error, std::nullopt);
  EXPECT_EQ(dialog.Rows()[1].description, "Абсолютная влажность, г/куб.м");
}

TEST(FormTest, OpenDialogsPressesOnlyTheShownDialogButtons) {
  PageWithButtons page;
  testing::RecordingUi ui;
  const auto dialogs = OpenDialogs(page, ui);
  EXPECT_EQ(page.pressed, std::vector<std::string>{"gas"});
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].buttonId, "gas");
  EXPECT_EQ(dialogs[0].form->Rows()[0].selected, 0) << "the dialog is filled";
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::forms

namespace tarvo::forms {
namespace {

TEST(FormEntryTest, AChoiceReportsEveryRowItChanged) {
  ListDialog dialog;
  dialog.Fill();
  const EntryResult chosen = dialog.Choose(0, 1);
  EXPECT_EQ(chosen.error, std::nullopt);
  EXPECT_EQ(chosen.changedRows, (std::vector<int>{0, 1})) << "the relabelled row is redrawn too";
  EXPECT_EQ(dialog.Choose(0, 1).changedRows, std::vector<int>{}) << "the same choice changes none";
  EXPECT_NE(dialog.Choose(0, 5).error, std::nullopt);
  EXPECT_NE(dialog.SetChecked(0, true).error, std::nullopt) << "a list is not a check box";
}

TEST(FormEntryTest, TypingIsHeldToTheCellAndItsLimit) {
  ListDialog dialog;
  Form* form = &dialog;
  const int inputs = dialog.AddRow(InputsRow());
  EXPECT_EQ(form->EnterCell(inputs, 1, "17").changedRows, std::vector<int>{inputs});
  const EntryResult tooLong = form->EnterCell(inputs, 1, "170");
  EXPECT_NE(tooLong.error, std::nullopt);
  EXPECT_TRUE(tooLong.changedRows.empty());
  EXPECT_EQ(form->Rows()[inputs].cells[1].text, "17");
  EXPECT_NE(form->EnterCell(inputs, 3, "1").error, std::nullopt) << "no fourth cell";
  EXPECT_NE(form->EnterCell(0, 0, "1").error, std::nullopt) << "a list has no cell to type in";
  dialog.Disable(inputs);
  EXPECT_NE(form->EnterCell(inputs, 0, "1").error, std::nullopt);
}

// The command line's text goes through the same entries as the window: a row of several cells
// takes all of them or none, and what changed is reported as a window's entry reports it.
TEST(FormEntryTest, ATextValueIsEnteredLikeTheWindowsEntries) {
  ListDialog dialog;
  Form* form = &dialog;
  const int inputs = dialog.AddRow(InputsRow());
  const int box = dialog.AddRow(CheckBoxRow("K018", " Летнее время"));
  EXPECT_EQ(form->EnterValue(inputs, "17,18").changedRows, std::vector<int>{inputs});
  const EntryResult tooLong = form->EnterValue(inputs, "19,180");
  EXPECT_NE(tooLong.error, std::nullopt);
  EXPECT_TRUE(tooLong.changedRows.empty());
  EXPECT_EQ(RowValueText(form->Rows()[inputs]), "17,18,") << "the first cell kept too";
  EXPECT_EQ(form->EnterValue(box, "1").changedRows, std::vector<int>{box});
  EXPECT_TRUE(form->Rows()[box].checked);
  EXPECT_EQ(form->EnterValue(0, "1").changedRows, (std::vector<int>{0, 1})) << "relabelled";
  dialog.Disable(box);
  EXPECT_NE(form->EnterValue(box, "0").error, std::nullopt);
  EXPECT_NE(form->EnterValue(9, "0").error, std::nullopt) << "no such row";
}

TEST(FormEntryTest, RowsWithoutCellsReadAsEmpty) {
  const Row box = CheckBoxRow("K018", " Летнее время");
  EXPECT_EQ(box.Text(), "");
  Row list = box;
  list.Text() = "x";
  EXPECT_EQ(RowValueText(list), "0") << "the stray cell is not what the box shows";
}

TEST(FormEntryTest, RunTogetherCellsWithoutALimitTakeTheRest) {
  Row row = InputsRow();
  row.cells = {Cell{"", 2}, Cell{"", 0}};
  EXPECT_EQ(EnterRowValue(row, "01234"), std::nullopt);
  EXPECT_EQ(row.cells[0].text, "01");
  EXPECT_EQ(row.cells[1].text, "234");
}

}  // namespace
}  // namespace tarvo::forms
