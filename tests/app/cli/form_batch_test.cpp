#include "app/cli/form_batch.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"
#include "forms/form_messages.h"
#include "model/value_text.h"

namespace tarvo::app {
namespace {

using forms::Form;
using model::ParameterSet;

// A table dialog that stores its one value straight into the set on OK, as the ИРВИС-К300 one.
class TableDialog : public Form {
 public:
  TableDialog(ParameterSet& set, std::vector<std::string>& log) : set_(set), log_(log) {
    rows.push_back(forms::NumberRow("K170", ""));
  }
  void Fill() override { rows[0].Text() = model::FormatValue(set_.channels[0].irvis1[0]); }
  bool Accept(platform::Ui& ui) override {
    log_.push_back("dialog");
    if (rows[0].Text() == "x") return forms::ShowError(ui, "dialog refused");
    set_.channels[0].irvis1[0] = model::ReadValueText(rows[0].Text());
    return true;
  }

 private:
  ParameterSet& set_;
  std::vector<std::string>& log_;
};

// A channel page whose leave sees what its dialog stored, and a copy button that is never
// pressed by the batch.
class PageWithTable : public Form {
 public:
  PageWithTable(ParameterSet& set, std::vector<std::string>& log) : set_(set), log_(log) {
    rows.push_back(forms::NumberRow("K102", " Верхний предел"));
    buttons.emplace_back("copy", "Копирование параметров канала");
    buttons.emplace_back("table", "Параметры ИРВИС-К300").dialog = [this] {
      log_.push_back("press table");
      return std::make_unique<TableDialog>(set_, log_);
    };
  }
  void Fill() override { rows[0].Text() = "1"; }
  bool Accept(platform::Ui& ui) override {
    log_.push_back("page");
    if (set_.channels[0].irvis1[0].IsNotSet()) return forms::ShowError(ui, "table incomplete");
    return true;
  }
  forms::PressResult OnPress(std::string_view id, platform::Ui&) override {
    log_.push_back("press " + std::string(id));
    return {};
  }

 private:
  ParameterSet& set_;
  std::vector<std::string>& log_;
};

struct Batch {
  Batch() {
    model::MakeNewConfiguration(*set, 0x42);
    batch.Add({FormTarget::Kind::Channel, 0}, std::make_unique<PageWithTable>(*set, log), ui);
  }
  std::unique_ptr<ParameterSet> set = std::make_unique<ParameterSet>();
  std::vector<std::string> log;
  testing::RecordingUi ui;
  FormBatch batch;
};

TEST(FormBatchTest, ADialogValueLeavesTheDialogThenItsPage) {
  struct Case {
    std::string value;
    std::vector<std::string> log;  // after opening
    std::string message;           // "" = accepted
  };
  const Case cases[] = {
      {"5", {"dialog", "page"}, ""},
      {"x", {"dialog"}, "dialog refused"},
      {"-", {"dialog", "page"}, "table incomplete"},
  };
  for (const Case& c : cases) {
    Batch b;
    EXPECT_EQ(b.log, std::vector<std::string>{"press table"}) << "only the dialog button";
    b.log.clear();
    std::string message;
    ASSERT_TRUE(b.batch.Enter("K170", c.value, *b.set, message)) << message;
    EXPECT_EQ(b.batch.AcceptInvolved(b.ui), c.message.empty()) << c.value;
    EXPECT_EQ(b.log, c.log) << c.value;
    if (c.message.empty()) {
      EXPECT_TRUE(b.ui.messages.empty());
      EXPECT_EQ(b.set->channels[0].irvis1[0], model::Float32::Of(5.0f));
    } else {
      ASSERT_EQ(b.ui.messages.size(), 1u);
      EXPECT_EQ(b.ui.messages[0].text, c.message);
    }
  }
}

TEST(FormBatchTest, APageValueLeavesOnlyThePage) {
  Batch b;
  b.log.clear();
  b.set->channels[0].irvis1[0] = model::Float32::Of(1.0f);
  std::string message;
  ASSERT_TRUE(b.batch.Enter("K102", "2", *b.set, message)) << message;
  EXPECT_TRUE(b.batch.AcceptInvolved(b.ui));
  EXPECT_EQ(b.log, std::vector<std::string>{"page"});
}

TEST(FormBatchTest, CodesNoFormShowsAreRefusedWithWhy) {
  Batch b;
  std::string message;
  EXPECT_FALSE(b.batch.Enter("K030", "1", *b.set, message));
  EXPECT_EQ(message, "Код K030 не показывает ни одна форма вычислителя ЛУР-Г (исполнение 42).");
  EXPECT_FALSE(b.batch.Enter("K170", "1234567890", *b.set, message));
  EXPECT_EQ(message, "Код K170: значение «1234567890» длиннее ячейки (наибольшая длина 9).");
  b.log.clear();
  EXPECT_TRUE(b.batch.AcceptInvolved(b.ui));
  EXPECT_TRUE(b.log.empty()) << "a refused value involves no form";
}

}  // namespace
}  // namespace tarvo::app
