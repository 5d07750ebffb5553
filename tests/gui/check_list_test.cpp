#include "app/gui/check_list_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/gui/exchange_dialog.h"
#include "app/gui/main_window.h"
#include "gui/form_cells.h"
#include "gui/modal.h"
#include "gui/window_test.h"

namespace tarvo::gui {
namespace {

// An ЛУР-У configuration with several problems, as an older file may hold it: a system-wide value
// and values of channel 2, its gas dialog and node 3 out of range, and channels 4 and 5 with a
// medium but without the values the start of counting needs.
void StoreTroubled(const std::string& path) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x50);
  model::ParameterSet& set = document.Set();
  set.baroUpperLimit = model::Float32::Of(1000.0f);
  set.channels[1].Slot(7) = model::Float32::Of(-5.0f);
  set.channels[1].gas.pressure = model::Float32::Of(20.0f);
  set.channels[3].mediumKind = 1;
  set.channels[4].mediumKind = 1;
  set.nodes[2].reportHour = 30;
  std::string message;
  ASSERT_TRUE(document.Store(path, message)) << message;
}

// Each entry of the check list as "title | code".
std::vector<std::string> Entries(QWidget* dialog) {
  std::vector<std::string> entries;
  auto* list = dialog->findChild<QTreeWidget*>("checkList");
  if (list == nullptr) return {"(no list)"};
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    entries.push_back(list->topLevelItem(i)->text(0).toStdString() + " | " +
                      list->topLevelItem(i)->text(1).toStdString());
  }
  return entries;
}

const std::vector<std::string> kTroubledEntries = {
    "Общесистемные параметры | K0004",
    "Канал учета 02 | K0209",
    "Канал учета 02 — Параметры попутного газа | K0278",
    // Every value the start of counting demands, with the row that shows it.
    "Канал учета 04 | K0419",
    "Канал учета 04 | K0425",
    "Канал учета 05 | K0519",
    "Канал учета 05 | K0525",
    "Узел учета 03 | П0317",
};

class CheckListTest : public WindowTest {
 protected:
  void OpenTroubled() {
    const std::string path = PathOf("u.par");
    StoreTroubled(path);
    ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(path)));
  }
  void Trigger(const char* name) {
    auto* action = window->findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    ASSERT_TRUE(action->isEnabled()) << name;
    action->trigger();
  }
  // Closes any modal window still coming up a moment later and says which it was.
  void CatchLateModal() {
    QTimer::singleShot(100, window.get(), [this] {
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        lateModal = modal->metaObject()->className();
        modal->reject();
      }
    });
  }
  std::string lateModal;
};

TEST_F(CheckListTest, AConfigurationEveryFormAcceptsGetsAMessageInsteadOfAList) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  Trigger("actionCheckConfiguration");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Все формы принимают конфигурацию.");
  EXPECT_EQ(ui.messages[0].caption, "Проверка конфигурации");
}

TEST_F(CheckListTest, ListsEveryRefusingFormAndOpensAnEntryAtItsRow) {
  OpenTroubled();
  window->show();
  std::vector<int> pages;
  std::vector<bool> focused;
  QString demandDescription;
  std::vector<std::string> entries;
  std::vector<std::string> afterEdit;
  int currentAfterEdit = -1;
  testing::WhenModalShown([&](QWidget* dialog) {
    entries = Entries(dialog);
    auto* list = dialog->findChild<QTreeWidget*>("checkList");
    ASSERT_NE(list, nullptr);
    // Activates an entry; the sheet it opens is handed over with the named cell.
    const auto open = [&](int entry, const char* code, const std::function<void(QLineEdit*)>& use) {
      testing::WhenModalShown([&](QWidget* sheetWidget) {
        auto* sheet = qobject_cast<SheetDialog*>(sheetWidget);
        ASSERT_NE(sheet, nullptr);
        pages.push_back(sheet->Tabs()->currentIndex());
        QLineEdit* cell = CellOf(sheet, code);
        ASSERT_NE(cell, nullptr);
        focused.push_back(sheet->focusWidget() == cell);
        use(cell);
      });
      Q_EMIT list->itemActivated(list->topLevelItem(entry), 0);
    };
    // The channel 2 entry opens the channel sheet on its page at K0209; correcting the value
    // there takes the entry off the list.
    open(1, "K0209", [](QLineEdit* cell) {
      cell->selectAll();
      QTest::keyClicks(cell, "5");
      qobject_cast<QDialog*>(cell->window())->accept();
    });
    afterEdit = Entries(dialog);
    currentAfterEdit = list->indexOfTopLevelItem(list->currentItem());
    // A start-of-counting entry opens its page at the demanded cell, which is marked.
    open(3, "K0425", [&](QLineEdit* cell) {
      demandDescription = cell->accessibleDescription();
      qobject_cast<QDialog*>(cell->window())->reject();
    });
    dialog->findChild<QPushButton*>("closeCheck")->click();
  });
  Trigger("actionCheckConfiguration");
  EXPECT_EQ(entries, kTroubledEntries);
  EXPECT_EQ(pages, (std::vector<int>{1, 3}));
  EXPECT_EQ(focused, (std::vector<bool>{true, true})) << "the cursor stands in the named cell";
  std::vector<std::string> corrected = kTroubledEntries;
  corrected.erase(corrected.begin() + 1);
  EXPECT_EQ(afterEdit, corrected);
  EXPECT_EQ(currentAfterEdit, 1) << "the entry after the corrected one";
  EXPECT_EQ(demandDescription.toStdString(), "Необходимо задать договорную температуру");
  EXPECT_TRUE(window->Document().Modified());
}

TEST_F(CheckListTest, TheOverviewMarksTheFormsAndRowsACheckNames) {
  OpenTroubled();
  auto* tree = window->findChild<QTreeWidget*>("overviewTree");
  ASSERT_NE(tree, nullptr);
  // Each marked form heading by its title, each marked row by its code.
  std::vector<std::string> marked;
  std::string k0209Tip;
  for (int f = 0; f < tree->topLevelItemCount(); ++f) {
    QTreeWidgetItem* form = tree->topLevelItem(f);
    if (!form->toolTip(0).isEmpty()) marked.push_back(form->text(0).toStdString());
    for (int r = 0; r < form->childCount(); ++r) {
      QTreeWidgetItem* row = form->child(r);
      if (row->toolTip(0).isEmpty()) continue;
      marked.push_back(row->text(0).toStdString());
      if (row->text(0) == "K0209") k0209Tip = row->toolTip(2).toStdString();
    }
  }
  EXPECT_EQ(marked,
            (std::vector<std::string>{"Общесистемные параметры", "K0004", "Канал учета 02", "K0209",
                                      "Канал учета 02 — Параметры попутного газа", "K0278",
                                      "Канал учета 04", "K0419", "K0425", "Канал учета 05", "K0519",
                                      "K0525", "Узел учета 03", "П0317"}));
  EXPECT_EQ(k0209Tip,
            "Ошибка\nКоэффициент преобразования объемного расходомера должен быть в диапазоне от 0 "
            "до 100000 ");
}

TEST_F(CheckListTest, WritingARefusedConfigurationTakesASecondStep) {
  OpenTroubled();
  std::string cancelText;
  bool cancelIsDefault = false;
  testing::WhenModalShown([&](QWidget* dialog) {
    auto* cancel = dialog->findChild<QPushButton*>("cancelWrite");
    auto* write = dialog->findChild<QPushButton*>("writeAnyway");
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(write, nullptr);
    EXPECT_EQ(write->text().toStdString(), "Записать всё равно");
    cancelText = cancel->text().toStdString();
    cancelIsDefault = cancel->isDefault() && !write->isDefault();
    CatchLateModal();
    cancel->click();
  });
  Trigger("actionWriteDevice");
  QTest::qWait(200);
  EXPECT_EQ(cancelText, "Отмена");
  EXPECT_TRUE(cancelIsDefault);
  EXPECT_EQ(lateModal, "") << "Отмена writes nothing";

  // "Записать всё равно" goes on to the exchange dialog.
  testing::WhenModalShown([&](QWidget* dialog) {
    CatchLateModal();
    dialog->findChild<QPushButton*>("writeAnyway")->click();
  });
  Trigger("actionWriteDevice");
  EXPECT_EQ(lateModal, "tarvo::gui::ExchangeDialog");
}

TEST_F(CheckListTest, AConfigurationEveryFormAcceptsIsWrittenWithoutAQuestion) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  std::string first;
  testing::WhenModalShown([&](QWidget* dialog) {
    first = dialog->metaObject()->className();
    static_cast<QDialog*>(dialog)->reject();
  });
  Trigger("actionWriteDevice");
  EXPECT_EQ(first, "tarvo::gui::ExchangeDialog");
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::gui
