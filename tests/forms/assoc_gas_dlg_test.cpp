#include "forms/channel/assoc_gas_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_ui.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr const char* kSum =
    "Сумма концентраций компонентов сухой части газа должна быть в диапазоне от 99.5 до 100.5 "
    "процентов!";

// The dialog of channel 3 of a new ЛУР-У configuration, filled.
struct GasDialog {
  GasDialog() {
    document.NewConfiguration(0x50);
    dialog = std::make_unique<CAssocGasDlg>(Set(), 2);
    dialog->Fill();
  }
  model::ParameterSet& Set() { return document.Set(); }
  model::AssociatedGas& Gas() { return Set().channels[2].gas; }
  const Row& At(const std::string& code) {
    const Row* row = dialog->FindRow(code);
    EXPECT_NE(row, nullptr) << code;
    return *row;
  }
  void Enter(const std::vector<std::pair<std::string, std::string>>& entries) {
    for (const auto& [code, value] : entries) {
      ASSERT_EQ(dialog->EnterValue(dialog->RowIndexOf(code), value).error, std::nullopt) << code;
    }
  }
  // "" when OK closed the dialog, else its one message.
  std::string Ok() {
    ui.messages.clear();
    const Verdict verdict = dialog->Submit(ui);
    refusedCode = verdict.row < 0 ? "" : dialog->Rows()[static_cast<std::size_t>(verdict.row)].code;
    if (verdict.accepted) {
      EXPECT_TRUE(ui.messages.empty());
      return "";
    }
    EXPECT_EQ(ui.messages.size(), 1u);
    if (ui.messages.empty()) return "(no message)";
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
    return ui.messages[0].text;
  }
  model::ConfigurationDocument document;
  std::unique_ptr<CAssocGasDlg> dialog;
  testing::RecordingUi ui;
  std::string refusedCode;  // the row the last refusal named
};

TEST(AssocGasDlgTest, RowsAndFill) {
  GasDialog g;
  EXPECT_EQ(g.dialog->title, "Параметры попутного газа");
  ASSERT_EQ(g.dialog->Rows().size(), 18u);
  EXPECT_EQ(g.dialog->Rows()[0].code, "K0376");
  EXPECT_EQ(g.dialog->Rows()[17].code, "K0393");
  EXPECT_EQ(g.dialog->Rows()[17].description, "Концентрация гептана, %");
  EXPECT_EQ(g.dialog->Rows()[4].column, 0);
  EXPECT_EQ(g.dialog->Rows()[5].column, 1);
  EXPECT_EQ(RowValueText(g.At("K0376")), "молярные");
  EXPECT_EQ(RowValueText(g.At("K0377")), "абсолютная");
  EXPECT_EQ(g.At("K0380").description, "Абсолютная влажность, г/куб.м");
  EXPECT_EQ(g.At("K0378").Text(), "-");

  g.Gas().concentrationKind = 2;
  g.Gas().humidityKind = 1;
  g.Gas().pressure = Float32::Of(0.5f);
  g.Gas().concentrations[12] = Float32::Of(1.25f);
  g.dialog->Fill();
  EXPECT_EQ(RowValueText(g.At("K0376")), "объемные");
  EXPECT_EQ(g.At("K0380").description, "Относительная влажность, %");
  EXPECT_EQ(g.At("K0378").Text(), "0,5");
  EXPECT_EQ(g.At("K0393").Text(), "1,25");
  EXPECT_EQ(g.At("K0393").cells[0].maxLength, 9);

  // Choosing the humidity kind relabels the row; choosing it back restores the label.
  g.Enter({{"K0377", "абсолютная"}});
  EXPECT_EQ(g.At("K0380").description, "Абсолютная влажность, г/куб.м");
  g.Enter({{"K0377", "1"}});
  EXPECT_EQ(g.At("K0380").description, "Относительная влажность, %");
}

TEST(AssocGasDlgTest, Checks) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> entries;
    const char* message;
  };
  const Case cases[] = {
      {{}, ""},  // all not set: nothing to test, no sum
      {{{"K0378", ""}}, "Параметр K0378 должен быть в диапазоне от 0.001 до 15 МПа!"},
      {{{"K0378", "0,001"}}, ""},
      {{{"K0378", "15"}}, ""},
      {{{"K0378", "15.01"}}, "Параметр K0378 должен быть в диапазоне от 0.001 до 15 МПа!"},
      {{{"K0378", "nan"}}, "Параметр K0378 должен быть в диапазоне от 0.001 до 15 МПа!"},
      {{{"K0379", "-10"}}, ""},
      {{{"K0379", "227"}}, ""},
      {{{"K0379", "-10.5"}},
       "Параметр K0379 должен быть в диапазоне от -10.0 до 227.0 градусов Цельсия!"},
      {{{"K0380", "0"}}, ""},  // zero is taken whatever the message says
      {{{"K0380", "-0.1"}}, "Параметр K0380 должен быть больше нуля!"},
      {{{"K0380", "inf"}}, "Параметр K0380 должен быть больше нуля!"},
      {{{"K0385", "100"}}, ""},
      {{{"K0385", "100.1"}}, "Параметр K0385 должен быть в диапазоне от 0% до 100 процентов!"},
      {{{"K0393", "-1"}}, "Параметр K0393 должен быть в диапазоне от 0% до 100 процентов!"},
      {{{"K0381", "50"}, {"K0382", "49,6"}}, ""},
      {{{"K0381", "50"}, {"K0382", "50.4"}}, ""},
      {{{"K0381", "50"}, {"K0382", "49.4"}}, kSum},
      {{{"K0381", "50"}, {"K0382", "50.6"}}, kSum},
      {{{"K0381", "0"}}, kSum},
      // Order: pressure, temperature, humidity, then the components top to bottom.
      {{{"K0378", "0"}, {"K0379", "300"}},
       "Параметр K0378 должен быть в диапазоне от 0.001 до 15 МПа!"},
      {{{"K0380", "-1"}, {"K0381", "101"}}, "Параметр K0380 должен быть больше нуля!"},
      {{{"K0381", "101"}, {"K0382", "-1"}},
       "Параметр K0381 должен быть в диапазоне от 0% до 100 процентов!"},
  };
  for (const Case& c : cases) {
    GasDialog g;
    g.Enter(c.entries);
    const model::AssociatedGas before = g.Gas();
    EXPECT_EQ(g.Ok(), c.message) << (c.entries.empty() ? "" : c.entries[0].second);
    // A message about one parameter puts the cursor in its row; the sum names none.
    const std::string message = c.message;
    EXPECT_EQ(g.refusedCode, message.rfind("Параметр ", 0) == 0 ? message.substr(17, 5) : "")
        << message;
    if (*c.message != 0) {
      EXPECT_EQ(g.Gas(), before) << "refused, yet stored";
    }
  }
}

TEST(AssocGasDlgTest, StoresStraightIntoTheSet) {
  GasDialog g;
  g.Gas().concentrations[0] = Float32::Of(3.0f);
  g.dialog->Fill();
  g.Enter({{"K0376", "массовые"},
           {"K0377", "1"},
           {"K0378", "1,5"},
           {"K0379", "20"},
           {"K0380", "55"},
           {"K0381", "-"},
           {"K0385", "1.5"},
           {"K0386", "98,5"}});
  EXPECT_EQ(g.Ok(), "");
  const model::AssociatedGas& gas = g.Gas();
  EXPECT_EQ(gas.concentrationKind, 1);
  EXPECT_EQ(gas.humidityKind, 1);
  EXPECT_EQ(gas.pressure, Float32::Of(1.5f));
  EXPECT_EQ(gas.temperature, Float32::Of(20.0f));
  EXPECT_EQ(gas.humidity, Float32::Of(55.0f));
  EXPECT_TRUE(gas.concentrations[0].IsNotSet());
  EXPECT_EQ(gas.concentrations[4], Float32::Of(1.5f));
  EXPECT_EQ(gas.concentrations[5], Float32::Of(98.5f));
  EXPECT_TRUE(gas.concentrations[12].IsNotSet());
  EXPECT_EQ(gas.reserved[0], 0xFF);
  // Other channels are untouched.
  EXPECT_TRUE(g.Set().channels[1].gas.concentrations[4].IsNotSet());
}

// A kind outside the lists (from a damaged file) shows no choice and is kept, not replaced by
// a byte of the "nothing chosen" marker.
TEST(AssocGasDlgTest, KindOutsideTheListIsKept) {
  GasDialog g;
  g.Gas().concentrationKind = 7;
  g.Gas().humidityKind = 9;
  g.dialog->Fill();
  EXPECT_EQ(g.At("K0376").selected, -1);
  EXPECT_EQ(g.At("K0380").description, "Абсолютная влажность, г/куб.м");
  EXPECT_EQ(g.Ok(), "");
  EXPECT_EQ(g.Gas().concentrationKind, 7);
  EXPECT_EQ(g.Gas().humidityKind, 9);
}

}  // namespace
}  // namespace tarvo::forms
