#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/gui/overview_widget.h"
#include "model/document.h"

namespace tarvo::gui {
namespace {

struct Overview {
  explicit Overview(std::uint8_t executionCode) {
    document.NewConfiguration(executionCode);
    widget.ShowConfiguration(document.Set());
    filter = widget.findChild<QLineEdit*>("overviewFilter");
    tree = widget.findChild<QTreeWidget*>("overviewTree");
  }

  // The codes of the rows left visible, form by form.
  std::vector<std::string> ShownCodes() const {
    std::vector<std::string> codes;
    for (int f = 0; f < tree->topLevelItemCount(); ++f) {
      const QTreeWidgetItem* form = tree->topLevelItem(f);
      if (form->isHidden()) continue;
      for (int r = 0; r < form->childCount(); ++r) {
        if (!form->child(r)->isHidden()) codes.push_back(form->child(r)->text(0).toStdString());
      }
    }
    return codes;
  }

  model::ConfigurationDocument document;
  OverviewWidget widget;
  QLineEdit* filter = nullptr;
  QTreeWidget* tree = nullptr;
};

TEST(OverviewTest, ListsEveryFormAndFindsACodeHoweverItIsTyped) {
  Overview u(0x50);
  ASSERT_NE(u.filter, nullptr);
  ASSERT_NE(u.tree, nullptr);
  // System-wide, 20 channels and their gas dialogs, 16 nodes.
  EXPECT_EQ(u.tree->topLevelItemCount(), 1 + 20 + 20 + 16);
  EXPECT_EQ(u.tree->topLevelItem(0)->text(0).toStdString(), "Общесистемные параметры");

  struct Case {
    const char* typed;
    const char* code;
  };
  for (const Case& c : {Case{"K1205", "K1205"}, Case{"К1205", "K1205"}, Case{"к1205", "K1205"},
                        Case{"п1602", "П1602"}}) {
    u.filter->setText(QString::fromUtf8(c.typed));
    const auto shown = u.ShownCodes();
    EXPECT_NE(std::find(shown.begin(), shown.end(), c.code), shown.end()) << c.typed;
    for (const std::string& code : shown) {
      EXPECT_NE(code.find(c.code + std::string(c.code).size() - 4), std::string::npos)
          << c.typed << " left " << code;
    }
  }
  u.filter->setText("zzzz-nothing");
  EXPECT_TRUE(u.ShownCodes().empty());
  u.filter->clear();
  EXPECT_GT(u.ShownCodes().size(), 500u);
}

// Esc in the filter or in the list brings every row back.
TEST(OverviewTest, EscClearsTheFilter) {
  Overview g(0x47);
  g.widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&g.widget));
  const std::size_t all = g.ShownCodes().size();
  for (QWidget* focused : {static_cast<QWidget*>(g.filter), static_cast<QWidget*>(g.tree)}) {
    g.filter->setText("K302");
    ASSERT_LT(g.ShownCodes().size(), all);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Escape);
    EXPECT_EQ(g.filter->text().toStdString(), "") << focused->objectName().toStdString();
    EXPECT_EQ(g.ShownCodes().size(), all);
  }
}

TEST(OverviewTest, DoubleClickingARowAsksForItsFormAtThatRow) {
  Overview g(0x47);
  QSignalSpy spy(&g.widget, &OverviewWidget::rowActivated);
  g.filter->setText("K302");
  QTreeWidgetItem* row = nullptr;
  for (int f = 0; f < g.tree->topLevelItemCount() && row == nullptr; ++f) {
    for (int r = 0; r < g.tree->topLevelItem(f)->childCount(); ++r) {
      if (g.tree->topLevelItem(f)->child(r)->text(0) == "K302")
        row = g.tree->topLevelItem(f)->child(r);
    }
  }
  ASSERT_NE(row, nullptr);
  g.widget.resize(900, 600);
  g.widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.widget));
  g.tree->scrollToItem(row);
  const QRect rect = g.tree->visualItemRect(row);
  ASSERT_EQ(g.tree->itemAt(rect.center()), row);
  QTest::mouseClick(g.tree->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(g.tree->viewport(), Qt::LeftButton, {}, rect.center());
  ASSERT_EQ(spy.count(), 1);
  const auto target = spy.at(0).at(0).value<shell::FormTarget>();
  EXPECT_EQ(target.kind, shell::FormTarget::Kind::Channel);
  EXPECT_EQ(target.index, 2);
  EXPECT_EQ(spy.at(0).at(1).toString().toStdString(), "K302");
}

}  // namespace
}  // namespace tarvo::gui
