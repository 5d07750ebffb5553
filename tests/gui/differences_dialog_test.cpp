#include "app/gui/differences_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "app/gui/main_window.h"
#include "device/exchange_messages.h"
#include "gui/modal.h"
#include "gui/simulated_line.h"
#include "gui/window_test.h"
#include "sim/configuration_image.h"
#include "sim/in_process_port.h"

namespace tarvo::gui {
namespace {

// Acts on the modal window with the object name as soon as it is the one on top.
void WhenShown(const QString& name, std::function<void(QWidget*)> act, int triesLeft = 500) {
  QTimer::singleShot(10, [name, act = std::move(act), triesLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->objectName() == name) {
      act(modal);
    } else if (triesLeft > 0) {
      WhenShown(name, act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "no " << name.toStdString() << " appeared";
    }
  });
}

QTreeWidgetItem* RowOf(QTreeWidget* tree, const char* code) {
  const auto found =
      tree->findItems(QString::fromUtf8(code), Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

// The rows the list shows and does not hide, as "code first second".
std::vector<std::string> VisibleRows(QTreeWidget* tree) {
  std::vector<std::string> rows;
  for (int f = 0; f < tree->topLevelItemCount(); ++f) {
    QTreeWidgetItem* form = tree->topLevelItem(f);
    if (form->isHidden()) continue;
    for (int r = 0; r < form->childCount(); ++r) {
      QTreeWidgetItem* row = form->child(r);
      if (row->isHidden()) continue;
      rows.push_back((row->text(0) + " " + row->text(1) + " " + row->text(2)).toStdString());
    }
  }
  return rows;
}

class DifferencesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    model::MakeNewConfiguration(onDevice, 0x47, 0x53);
    onDevice.daylightSaving = 1;
    onDevice.nodes[1].reportHour = 12;
    std::string message;
    ASSERT_TRUE(sim::LoadConfiguration(device, onDevice, message)) << message;
    window->SetExchangeSetting(SimulatedSetting(port, clock, PathOf("ports.conf")));
  }

  std::string StoreOther(const model::ParameterSet& set) {
    model::ConfigurationDocument document;
    document.Set() = set;
    std::string message;
    EXPECT_TRUE(document.Store(PathOf("other.par"), message)) << message;
    return PathOf("other.par");
  }

  model::ParameterSet onDevice{};
  sim::DeviceModel device{{0x47, 0x53, {0, 0}}};
  sim::VirtualClock clock;
  sim::InProcessPort port{device, clock};
};

TEST_F(DifferencesTest, CompareWithFileListsFiltersAndTakesAValueThroughTheForm) {
  OpenNewConfiguration();
  ui.fileNames.push_back(StoreOther(onDevice));
  bool shown = false;
  WhenShown("differencesDialog", [&](QWidget* dialog) {
    shown = true;
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Различия конфигураций");
    auto* tree = dialog->findChild<QTreeWidget*>("differencesTree");
    EXPECT_EQ(tree->headerItem()->text(2).toStdString(), "other.par");
    EXPECT_EQ(VisibleRows(tree), (std::vector<std::string>{"K018 0 1", "П215 00 12"}));

    dialog->findChild<QLineEdit*>("differencesFilter")->setText(QStringLiteral("п215"));
    EXPECT_EQ(VisibleRows(tree), std::vector<std::string>{"П215 00 12"});
    dialog->findChild<QLineEdit*>("differencesFilter")->clear();

    auto* take = dialog->findChild<QPushButton*>("takeButton");
    tree->setCurrentItem(tree->topLevelItem(0));
    EXPECT_FALSE(take->isEnabled());
    tree->setCurrentItem(RowOf(tree, "K018"));
    ASSERT_TRUE(take->isEnabled());
    take->click();
    EXPECT_EQ(VisibleRows(tree), std::vector<std::string>{"П215 00 12"});
    dialog->findChild<QPushButton*>("closeButton")->click();
  });
  window->findChild<QAction*>("actionCompareFile")->trigger();

  ASSERT_TRUE(shown);
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].title, "Сравнение с файлом параметров");
  EXPECT_EQ(window->Document().Set().daylightSaving, 1);
  EXPECT_EQ(window->Document().Set().nodes[1].reportHour, 0);
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DifferencesTest, AValueTheFormRefusesIsNotTaken) {
  OpenNewConfiguration();
  model::ParameterSet other = window->Document().Set();
  other.contractBaroPressure = model::Float32::Of(0.12f);
  ui.fileNames.push_back(StoreOther(other));
  const model::ParameterSet before = window->Document().Set();
  WhenShown("differencesDialog", [&](QWidget* dialog) {
    auto* tree = dialog->findChild<QTreeWidget*>("differencesTree");
    tree->setCurrentItem(RowOf(tree, "K023"));
    dialog->findChild<QPushButton*>("takeButton")->click();
    EXPECT_EQ(VisibleRows(tree), std::vector<std::string>{"K023 0,1 0,12"});
    dialog->close();
  });
  window->findChild<QAction*>("actionCompareFile")->trigger();

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  EXPECT_NE(ui.messages[0].text.find("от 0,09 до 0,11 МПа"), std::string::npos);
  EXPECT_TRUE(window->Document().Set().SameContent(before));
  EXPECT_FALSE(window->Document().Modified());
}

TEST_F(DifferencesTest, DoubleClickOpensTheRowsFormUnderTheGuardedEdit) {
  OpenNewConfiguration();
  ui.fileNames.push_back(StoreOther(onDevice));
  std::string formTitle;
  WhenShown("differencesDialog", [&](QWidget* dialog) {
    auto* tree = dialog->findChild<QTreeWidget*>("differencesTree");
    QTreeWidgetItem* row = RowOf(tree, "П215");
    testing::WhenModalShown([&, dialog](QWidget* form) {
      formTitle = form->windowTitle().toStdString();
      EXPECT_NE(form, dialog);
      static_cast<QDialog*>(form)->reject();
    });
    Q_EMIT tree->itemActivated(row, 0);
    EXPECT_EQ(VisibleRows(tree).size(), 2u);
    dialog->close();
  });
  window->findChild<QAction*>("actionCompareFile")->trigger();
  EXPECT_EQ(formTitle, "Параметры узлов учета (потребителей)");
  EXPECT_FALSE(window->Document().Modified());
}

TEST_F(DifferencesTest, TheSameConfigurationSaysSoWithoutAWindow) {
  OpenNewConfiguration();
  ui.fileNames.push_back(StoreOther(window->Document().Set()));
  window->findChild<QAction*>("actionCompareFile")->trigger();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Различий нет: формы обеих конфигураций показывают одни и те же значения.");
}

TEST_F(DifferencesTest, CompareWithDeviceReadsIntoASeparateConfiguration) {
  OpenNewConfiguration();
  const model::ParameterSet before = window->Document().Set();
  std::vector<std::string> rows;
  testing::WhenModalShown([&](QWidget* exchange) {
    EXPECT_EQ(exchange->windowTitle().toStdString(), "Сравнение с вычислителем");
    // A port and speed chosen here stay with the read.
    exchange->findChild<QComboBox*>("speedList")->setCurrentIndex(2);
    WhenShown("differencesDialog", [&](QWidget* dialog) {
      rows = VisibleRows(dialog->findChild<QTreeWidget*>("differencesTree"));
      dialog->close();
    });
    exchange->findChild<QPushButton*>("runButton")->click();
  });
  window->findChild<QAction*>("actionCompareDevice")->trigger();

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, device::kReadSucceeded);
  EXPECT_EQ(rows, (std::vector<std::string>{"K018 0 1", "П215 00 12"}));
  EXPECT_TRUE(window->Document().Set().SameContent(before));
  EXPECT_EQ(window->Document().Set().speedCode, 4);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(window->Document().PathName(), PathOf("g.par"));
}

TEST_F(DifferencesTest, AFailedDeviceReadLeavesTheOpenConfigurationAsItWas) {
  OpenNewConfiguration();
  const model::ParameterSet before = window->Document().Set();
  const QString title = window->windowTitle();
  port.openFailure = "Устройство занято другой программой.";
  testing::WhenModalShown([](QWidget* exchange) {
    exchange->findChild<QComboBox*>("portList")->setCurrentIndex(0);
    exchange->findChild<QPushButton*>("runButton")->click();
  });
  window->findChild<QAction*>("actionCompareDevice")->trigger();

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(device::kPortOpenError, 0), 0u);
  EXPECT_TRUE(window->Document().Set().SameContent(before));
  EXPECT_EQ(window->Document().Set().comPort, 2);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(window->windowTitle(), title);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DifferencesTest, CompareAndPrintNeedAConfiguration) {
  for (const char* action : {"actionCompareFile", "actionCompareDevice", "actionPrint"}) {
    EXPECT_FALSE(window->findChild<QAction*>(action)->isEnabled()) << action;
  }
  OpenNewConfiguration();
  for (const char* action : {"actionCompareFile", "actionCompareDevice", "actionPrint"}) {
    EXPECT_TRUE(window->findChild<QAction*>(action)->isEnabled()) << action;
  }
  EXPECT_EQ(window->findChild<QAction*>("actionPrint")->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_P));
}

}  // namespace
}  // namespace tarvo::gui
