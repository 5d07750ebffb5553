#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "app/gui/help_file.h"
#include "gui/modal.h"
#include "platform/qt/qt_ui.h"
#include "support/temp_dir_test.h"

namespace tarvo::platform::qt {
namespace {

TEST(QtFileFilterTest, PairsOfDescriptionAndPatternsBecomeQtFilters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Файлы параметров (*.par)|*.par|", "Файлы параметров (*.par)"},
      {"Все файлы|*.*|", "Все файлы (*.*)"},
      {"Параметры|*.par;*.trv|Все файлы (*.*)|*.*||", "Параметры (*.par *.trv);;Все файлы (*.*)"},
      {"", ""},
  };
  for (const auto& [filter, expected] : cases) {
    EXPECT_EQ(QtFileFilter(filter).toStdString(), expected) << filter;
  }
  EXPECT_EQ(QtDefaultSuffix(".par").toStdString(), "par");
}

TEST(QtUiTest, MessageBoxCaptionAndAnswers) {
  struct Case {
    Buttons buttons;
    QMessageBox::StandardButton press;  // NoButton: close the box with Esc
    Answer expected;
  };
  const std::vector<Case> cases = {
      {Buttons::Ok, QMessageBox::Ok, Answer::Ok},
      {Buttons::YesNo, QMessageBox::No, Answer::No},
      {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
      {Buttons::YesNoCancel, QMessageBox::Yes, Answer::Yes},
      {Buttons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
      {Buttons::OkCancel, QMessageBox::Cancel, Answer::Cancel},
  };
  QtUi ui;
  for (const Case& c : cases) {
    std::string caption;
    tarvo::testing::WhenModalShown([&caption, press = c.press](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle().toStdString();
      if (press == QMessageBox::NoButton) {
        box->reject();
      } else {
        box->button(press)->click();
      }
    });
    EXPECT_EQ(ui.ShowMessage("Текст", "", Icon::Question, c.buttons), c.expected);
    EXPECT_EQ(caption, "TarvoConfig");
  }
}

class HelpFileTest : public tarvo::testing::TempDirTest {};

TEST_F(HelpFileTest, BesideTheProgramFirstThenTheInstalledCopy) {
  const QString bin = QString::fromStdString(PathOf("bin"));
  const std::string beside = PathOf("bin/help/TarvoConfig.html");
  const std::string installed = PathOf("share/tarvoconfig/help/TarvoConfig.html");

  auto lookup = gui::FindHelpFile(bin);
  EXPECT_TRUE(lookup.found.isEmpty());
  const std::string message = gui::HelpMissingMessage(lookup);
  EXPECT_NE(message.find(beside), std::string::npos);
  EXPECT_NE(message.find(installed), std::string::npos);

  for (const std::string& file : {installed, beside}) {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    Write(file, "<html></html>");
    EXPECT_EQ(gui::FindHelpFile(bin).found.toStdString(), file);
  }
}

}  // namespace
}  // namespace tarvo::platform::qt
