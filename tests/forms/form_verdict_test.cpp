#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "fakes/recording_ui.h"
#include "forms/channel/assoc_gas_dlg.h"
#include "forms/channel/channel_page_g.h"
#include "forms/channel/channel_page_l.h"
#include "forms/channel/channel_page_u.h"
#include "forms/channel/channel_page_uv.h"
#include "forms/channel/channel_page_v.h"
#include "forms/channel/irvis_k300_dlg.h"
#include "forms/form.h"
#include "forms/form_messages.h"
#include "forms/node/node_page_g.h"
#include "forms/system/system_form.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

using Make = std::function<std::unique_ptr<Form>(model::ParameterSet&)>;

struct Entry {
  const char* code;
  int cell;
  const char* value;
};

struct VerdictCase {
  const char* name;
  std::uint8_t executionCode;
  Make make;
  std::vector<Entry> entries;
  // The row and cell the refusal names; no code when the form accepts.
  const char* code;
  int cell;
  // The message's start, so that each case is the kind of check it says.
  const char* message = "";
  std::function<void(model::ParameterSet&)> prepare = nullptr;
};

class FormVerdict : public ::testing::TestWithParam<VerdictCase> {};

// OK or leaving a page says which row (and cell) its refusal names, so the window can put the
// cursor there after the message: every kind of check of every kind of form.
TEST_P(FormVerdict, NamesTheRowAndCellThatFailed) {
  const VerdictCase& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(c.executionCode);
  if (c.prepare) c.prepare(document.Set());
  testing::RecordingUi ui;
  auto form = c.make(document.Set());
  form->Fill();
  for (const Entry& entry : c.entries) {
    const int row = form->RowIndexOf(entry.code);
    ASSERT_GE(row, 0) << entry.code;
    ASSERT_EQ(form->EnterCell(row, entry.cell, entry.value).error, std::nullopt) << entry.code;
  }
  const Verdict verdict = form->Submit(ui);
  if (c.code == nullptr) {
    EXPECT_TRUE(verdict.accepted);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    return;
  }
  EXPECT_FALSE(verdict.accepted);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0u) << ui.messages[0].text;
  ASSERT_GE(verdict.row, 0) << ui.messages[0].text;
  EXPECT_EQ(form->Rows()[verdict.row].code, c.code) << ui.messages[0].text;
  EXPECT_EQ(verdict.cell, c.cell);
  EXPECT_EQ(form->Submit(ui).row, verdict.row) << "a second OK names it again";
}

template <typename Page>
Make PageOf(int index) {
  return [index](model::ParameterSet& set) { return std::make_unique<Page>(set, index); };
}
std::unique_ptr<Form> SystemWide(model::ParameterSet& set) {
  return MakeSystemForm(set);
}

void InputsTaken(model::ParameterSet& set) {
  set.channels[0].flowInputs[0] = 17;
  set.channels[0].pressureInput = 18;
}
void SwitchOff(model::ParameterSet& set) {
  set.checkForStart = 0;
}

constexpr const char* kStart = "Необходимо задать";
constexpr const char* kTypeCode = "Ошибочно задан параметр <Вид носителя";

INSTANTIATE_TEST_SUITE_P(
    Forms, FormVerdict,
    ::testing::Values(
        // The system-wide form: a range, a format, a value the measuring inputs demand.
        VerdictCase{"SystemRange", 0x47, SystemWide, {{"K023", 0, "0.12"}}, "K023", 0},
        VerdictCase{"SystemAccepted", 0x47, SystemWide, {{"K023", 0, "0.1"}}, nullptr, 0},
        VerdictCase{"SystemMode",
                    0x47,
                    SystemWide,
                    {{"K003", 0, "9"}},
                    "K003",
                    0,
                    "Ошибка при вводе спецификации"},
        VerdictCase{"SystemBaroLimitDemanded",
                    0x50,
                    SystemWide,
                    {{"K0003", 0, "00101700"}, {"K0004", 0, "-"}},
                    "K0004",
                    0,
                    kStart},
        // Channel pages: the type code, a range, a bound computed from another row.
        VerdictCase{"TypeCodeG",
                    0x47,
                    PageOf<CChannel_G_Page>(0),
                    {{"K100", 0, "x"}},
                    "K100",
                    0,
                    kTypeCode},
        VerdictCase{"RangeL",
                    0x49,
                    PageOf<CChannel_L_Page>(1),
                    {{"K202", 0, "-300"}},
                    "K202",
                    0,
                    "Договорн"},
        VerdictCase{"CrossFieldU",
                    0x50,
                    PageOf<CChannel_U_Page>(0),
                    {{"K0100", 0, "05312000"}, {"K0103", 0, "100"}, {"K0106", 0, "30"}},
                    "K0106",
                    0,
                    "Нижний предел"},
        // Input assignments: the cell of the input that is taken or malformed.
        VerdictCase{"InputTakenU",
                    0x50,
                    PageOf<CChannel_U_Page>(1),
                    {{"K0201", 0, "17"}},
                    "K0201",
                    0,
                    "Канал измерения 1-го преобразователя расхода (перепада давления) уже "
                    "задействован на трубопроводе 01",
                    InputsTaken},
        VerdictCase{"ThirdFlowInputTakenU",
                    0x50,
                    PageOf<CChannel_U_Page>(1),
                    {{"K0201", 2, "17"}},
                    "K0201",
                    2,
                    "Канал измерения 3-го",
                    InputsTaken},
        VerdictCase{"PressureInputTakenU",
                    0x50,
                    PageOf<CChannel_U_Page>(1),
                    {{"K0202", 1, "18"}},
                    "K0202",
                    1,
                    "Канал измерения температуры уже",
                    InputsTaken},
        VerdictCase{"InputNotDigitsU",
                    0x50,
                    PageOf<CChannel_U_Page>(1),
                    {{"K0201", 1, "a"}},
                    "K0201",
                    1,
                    "Ошибочно задан параметр <Назначение"},
        VerdictCase{"InputCellUV",
                    0x60,
                    PageOf<CChannel_UV_Page>(0),
                    {{"K101", 1, "10"}},
                    "K101",
                    1,
                    "Ошибочно задан номер канала измерения давления"},
        VerdictCase{
            "InputAcceptedUV", 0x60, PageOf<CChannel_UV_Page>(0), {{"K101", 1, "17"}}, nullptr, 0},
        // Start-of-counting demands name the row that shows the value, not the row last edited.
        VerdictCase{"DemandU",
                    0x50,
                    PageOf<CChannel_U_Page>(2),
                    {{"K0300", 0, "05312000"}, {"K0325", 0, "20"}},
                    "K0303",
                    0,
                    kStart},
        VerdictCase{"DemandOffU",
                    0x50,
                    PageOf<CChannel_U_Page>(2),
                    {{"K0300", 0, "05312000"}},
                    nullptr,
                    0,
                    "",
                    SwitchOff},
        VerdictCase{
            "DemandV", 0x41, PageOf<CChannel_V_Page>(0), {{"K100", 0, "1000"}}, "K108", 0, kStart},
        // A node page and the dialogs behind channel buttons.
        VerdictCase{"NodeHour",
                    0x47,
                    PageOf<CNode_G_Page>(1),
                    {{"П215", 0, "24"}},
                    "П215",
                    0,
                    "Отчетный час"},
        VerdictCase{
            "NodeComposition", 0x47, PageOf<CNode_G_Page>(0), {{"П100", 0, "2110"}}, "П100", 0},
        VerdictCase{"IrvisDialog", 0x42, PageOf<CIrvisK300Dlg>(0), {{"K170", 0, "nan"}}, "K170", 0},
        VerdictCase{"GasDialog",
                    0x50,
                    PageOf<CAssocGasDlg>(0),
                    {{"K0178", 0, "15.01"}},
                    "K0178",
                    0,
                    "Параметр K0178"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::forms
