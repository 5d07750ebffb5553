#include "forms/texts/report_text_editor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fakes/recording_ui.h"

namespace tarvo::forms {
namespace {

using Part = ReportTextPart;

constexpr std::uint8_t kExecG = 0x47;
constexpr std::uint8_t kExecL = 0x49;

std::unique_ptr<model::ParameterSet> NewSet(std::uint8_t executionCode) {
  auto set = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*set, executionCode);
  return set;
}

void Store(model::ParameterSet& set, Part part, bool enabled, const std::string& bytes) {
  char* field = part == Part::Header ? set.headerText : set.footerText;
  const std::size_t size = part == Part::Header ? sizeof set.headerText : sizeof set.footerText;
  std::memset(field, 0, size);
  std::memcpy(field, bytes.data(), bytes.size());
  (part == Part::Header ? set.headerEnabled : set.footerEnabled) = enabled ? 1 : 0;
}

// The refusal of a control character, named by its code point (and its name where it has one).
std::string ControlRefused(const std::string& character, int line, Part part) {
  return "Управляющий символ (" + character + ") в строке " + std::to_string(line) +
         (part == Part::Header ? " верхнего" : " нижнего") +
         " колонтитула нельзя записать в колонтитул";
}

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i == 0 ? "" : "\n") + line;
  return text;
}

struct Case {
  const char* name;
  std::uint8_t executionCode;
  bool headerOn;
  std::string header;
  bool footerOn;
  std::string footer;
  std::string message;  // empty: accepted
  Part refusedPart = Part::Header;
  int refusedLine = 0;
  std::string storedHeader = {};  // code page 1251, when accepted
  std::string storedFooter = {};
};

class ReportTextEditorAccept : public ::testing::TestWithParam<Case> {};

TEST_P(ReportTextEditorAccept, ChecksInOrderAndStoresOnlyWhenAccepted) {
  const Case& c = GetParam();
  auto set = NewSet(c.executionCode);
  Store(*set, Part::Header, true, "old header");
  Store(*set, Part::Footer, false, "old footer");
  const model::ParameterSet before = *set;

  ReportTextEditor editor(*set);
  editor.SetEnabled(Part::Header, c.headerOn);
  editor.SetEnabled(Part::Footer, c.footerOn);
  ASSERT_EQ(editor.EnterText(Part::Header, c.header), std::nullopt);
  if (editor.Shown(Part::Footer)) {
    ASSERT_EQ(editor.EnterText(Part::Footer, c.footer), std::nullopt);
  }
  testing::RecordingUi ui;
  const ReportTextVerdict verdict = editor.Accept(ui);

  if (c.message.empty()) {
    ASSERT_TRUE(verdict.accepted) << (ui.messages.empty() ? "" : ui.messages[0].text);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(set->headerEnabled, c.headerOn ? 1 : 0);
    EXPECT_EQ(set->footerEnabled, c.footerOn && editor.Shown(Part::Footer) ? 1 : 0);
    EXPECT_EQ(std::string(set->headerText), c.storedHeader);
    EXPECT_EQ(std::string(set->footerText), c.storedFooter);
    EXPECT_EQ(set->headerText[model::kHeaderTextSize], 0);
    return;
  }
  EXPECT_FALSE(verdict.accepted);
  EXPECT_EQ(verdict.part, c.refusedPart);
  EXPECT_EQ(verdict.line, c.refusedLine);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, c.message);
  EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
  EXPECT_EQ(std::memcmp(set.get(), &before, sizeof before), 0) << "nothing is stored";
}

const std::string k78(78, 'a');
const std::string k79(79, 'a');

INSTANTIATE_TEST_SUITE_P(
    Rules, ReportTextEditorAccept,
    ::testing::Values(
        Case{"Header78", kExecG, true, k78, false, "", "", Part::Header, 0, " " + k78, " "},
        Case{"Header79", kExecG, true, k79, false, "",
             "Число символов в строке 1 верхнего колонтитула не должно превышать 78", Part::Header,
             1},
        Case{"HeaderSecondLine79", kExecG, true, "ok\n" + k79, false, "",
             "Число символов в строке 2 верхнего колонтитула не должно превышать 78", Part::Header,
             2},
        Case{"HeaderSpaced79", kExecG, true, " " + k78, false, "", "", Part::Header, 0, " " + k78,
             " "},
        Case{"HeaderSpaced80", kExecG, true, " " + k79, false, "",
             "Число символов в строке 1 верхнего колонтитула не должно превышать 79", Part::Header,
             1},
        Case{"DisabledHeaderIsCheckedToo", kExecG, false, k79, true, "x",
             "Число символов в строке 1 верхнего колонтитула не должно превышать 78", Part::Header,
             1},
        Case{"FooterSpaced79", kExecG, false, "", true, " " + k78, "", Part::Header, 0, " ",
             " " + k78},
        Case{"FooterThirdLine79", kExecG, true, "A", true, "x\ny\n" + k79,
             "Число символов в строке 3 нижнего колонтитула не должно превышать 78", Part::Footer,
             3},
        Case{"HeaderLinesBeforeFooterLines", kExecG, true, k79, true, k79,
             "Число символов в строке 1 верхнего колонтитула не должно превышать 78", Part::Header,
             1},
        Case{"TwoLinesGetTheirSpaces", kExecG, true, "A\nB", false, "", "", Part::Header, 0,
             " A\r\n B", " "},
        Case{"SpacedLinesKeepTheirSpace", kExecG, true, "  A\n B\n", true, "", "", Part::Header, 0,
             "  A\r\n B\r\n ", " "},
        Case{"CrLfTypedStaysOneBreak", kExecG, true, "A\r\nB\rC", false, "", "", Part::Header, 0,
             " A\r\n B\r\n C", " "},
        Case{"CyrillicIn1251", kExecG, true, "Яя Ё №", true, "€", "", Part::Header, 0,
             " \xDF\xFF \xA8 \xB9", " \x88"},
        Case{"EmojiRefusedWithItsLine", kExecG, true, "ok\nsmile 😀", false, "",
             "Символ «😀» (U+1F600) в строке 2 верхнего колонтитула нельзя записать в кодировке "
             "Windows-1251",
             Part::Header, 2},
        Case{"HanInFooterRefused", kExecG, false, "", true, "中",
             "Символ «中» (U+4E2D) в строке 1 нижнего колонтитула нельзя записать в кодировке "
             "Windows-1251",
             Part::Footer, 1},
        Case{"ZeroByteRefused", kExecG, true, std::string("a\0b", 3), false, "",
             ControlRefused("U+0000, NUL", 1, Part::Header), Part::Header, 1},
        // Pasted control characters would reach the device's printer as commands.
        Case{"EscapeRefusedWithItsLine", kExecG, true,
             "ok\n\x1B"
             "E bold",
             false, "", ControlRefused("U+001B, ESC", 2, Part::Header), Part::Header, 2},
        Case{"BellRefused", kExecG, true, "ring\a", false, "",
             ControlRefused("U+0007, BEL", 1, Part::Header), Part::Header, 1},
        Case{"TabInFooterRefused", kExecG, false, "", true, "a\n\nb\tc",
             ControlRefused("U+0009, TAB", 3, Part::Footer), Part::Footer, 3},
        Case{"DeleteRefused", kExecG, true, "x\x7F", false, "",
             ControlRefused("U+007F, DEL", 1, Part::Header), Part::Header, 1},
        Case{"OtherControlNamedByItsCode", kExecG, true, "x\x01", false, "",
             ControlRefused("U+0001", 1, Part::Header), Part::Header, 1},
        Case{"BadUtf8Refused", kExecG, true, "a\nb\xFF", false, "",
             "Неверная последовательность байтов UTF-8 в строке 2 верхнего колонтитула",
             Part::Header, 2},
        Case{"DisabledTextIsNotConverted", kExecG, true, "A", false, "中", "", Part::Header, 0,
             " A", " "},
        // 27 lines of 16: 484 characters in the edit, 511 bytes with the spaces.
        Case{"HeaderFillsItsField", kExecG, true, Lines(27, std::string(16, 'a')), false, "", "",
             Part::Header, 0,
             " " + std::string(16, 'a') +
                 [] {
                   std::string rest;
                   for (int i = 1; i < 27; ++i) rest += "\r\n " + std::string(16, 'a');
                   return rest;
                 }(),
             " "},
        Case{"HeaderOverflowsItsField", kExecG, true, Lines(162, "a"), false, "",
             "Верхний колонтитул с пробелами в начале строк занимает 646 байт, а помещается не "
             "более 511 (лишних байт: 135; перевод строки занимает 2 байта)"},
        Case{"FooterOverflowsItsField", kExecG, false, "", true, Lines(81, "a"),
             "Нижний колонтитул с пробелами в начале строк занимает 322 байт, а помещается не "
             "более 255 (лишних байт: 67; перевод строки занимает 2 байта)",
             Part::Footer},
        // ЛУР-Л: 43 empty lines are 127 bytes with their spaces, all the device holds.
        Case{"LHeaderFillsTheDevice", kExecL, true, Lines(43, ""), true, "ignored", "",
             Part::Header, 0,
             std::string(" ") +
                 [] {
                   std::string rest;
                   for (int i = 1; i < 43; ++i) rest += "\r\n ";
                   return rest;
                 }(),
             " "},
        Case{"LHeaderOverflowsTheDevice", kExecL, true, Lines(44, ""), false, "",
             "Верхний колонтитул с пробелами в начале строк занимает 130 байт, а помещается не "
             "более 127 (лишних байт: 3; перевод строки занимает 2 байта)"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ReportTextEditorTest, OpensWithTheStoredTextsOfEnabledFlagsOnly) {
  auto set = NewSet(kExecG);
  Store(*set, Part::Header, true, " \xDF\r\n B");
  Store(*set, Part::Footer, false, " hidden");
  const ReportTextEditor editor(*set);
  EXPECT_TRUE(editor.Enabled(Part::Header));
  EXPECT_EQ(editor.Text(Part::Header), " Я\n B");
  EXPECT_FALSE(editor.Enabled(Part::Footer));
  EXPECT_EQ(editor.Text(Part::Footer), "");
  EXPECT_EQ(editor.Limit(Part::Header), 484);
  EXPECT_EQ(editor.Limit(Part::Footer), 241);
}

TEST(ReportTextEditorTest, LHasNoFooterAndStoresItDisabled) {
  auto set = NewSet(kExecL);
  Store(*set, Part::Footer, true, " footer from the file");
  ReportTextEditor editor(*set);
  EXPECT_FALSE(editor.Shown(Part::Footer));
  EXPECT_FALSE(editor.Enabled(Part::Footer));
  EXPECT_EQ(editor.Text(Part::Footer), "");
  EXPECT_EQ(editor.Limit(Part::Header), 120);
  editor.SetEnabled(Part::Footer, true);
  EXPECT_FALSE(editor.Enabled(Part::Footer));
  EXPECT_NE(editor.EnterText(Part::Footer, "x"), std::nullopt);

  testing::RecordingUi ui;
  EXPECT_TRUE(editor.Accept(ui).accepted);
  EXPECT_EQ(set->footerEnabled, 0);
  EXPECT_STREQ(set->footerText, " ");
}

struct LengthCase {
  std::uint8_t executionCode;
  Part part;
  int limit;
};

class ReportTextEditorLimits : public ::testing::TestWithParam<LengthCase> {};

TEST_P(ReportTextEditorLimits, RefusesBeyondTheLimitWithoutCutting) {
  const LengthCase& c = GetParam();
  auto set = NewSet(c.executionCode);
  ReportTextEditor editor(*set);
  // A line break counts two, as the set keeps it.
  const std::string full = "ab\n" + std::string(static_cast<std::size_t>(c.limit - 4), 'x');
  ASSERT_EQ(ReportTextEditor::EditLength(full), c.limit);
  EXPECT_EQ(editor.EnterText(c.part, full), std::nullopt);
  const auto refusal = editor.EnterText(c.part, full + "y");
  ASSERT_NE(refusal, std::nullopt);
  EXPECT_NE(refusal->find(std::to_string(c.limit + 1)), std::string::npos) << *refusal;
  EXPECT_EQ(editor.Text(c.part), full);
}

INSTANTIATE_TEST_SUITE_P(Edits, ReportTextEditorLimits,
                         ::testing::Values(LengthCase{kExecG, Part::Header, 484},
                                           LengthCase{kExecG, Part::Footer, 241},
                                           LengthCase{0x60, Part::Header, 484},
                                           LengthCase{kExecL, Part::Header, 120}));

TEST(ReportTextEditorTest, AStoredTextBeyondTheLimitCanBeShortened) {
  auto set = NewSet(kExecG);
  Store(*set, Part::Header, true, std::string(500, 'a'));
  ReportTextEditor editor(*set);
  EXPECT_EQ(editor.EnterText(Part::Header, std::string(499, 'a')), std::nullopt);
  EXPECT_NE(editor.EnterText(Part::Header, std::string(500, 'a')), std::nullopt);
}

TEST(ReportTextEditorTest, CancelLeavesTheSetAsItWas) {
  auto set = NewSet(kExecG);
  Store(*set, Part::Header, true, " kept");
  const model::ParameterSet before = *set;
  {
    ReportTextEditor editor(*set);
    editor.Clear(Part::Header);
    EXPECT_EQ(editor.Text(Part::Header), "");
    editor.SetEnabled(Part::Footer, true);
    ASSERT_EQ(editor.EnterText(Part::Footer, "new"), std::nullopt);
  }
  EXPECT_EQ(std::memcmp(set.get(), &before, sizeof before), 0);
}

}  // namespace
}  // namespace tarvo::forms

namespace tarvo::forms {
namespace {

TEST(ReportTextEditorTest, CursorPlaceNamesTheLineTheColumnAndThatLinesLimit) {
  struct Case {
    std::string text;
    int line;
    int column;
    std::string place;
  };
  const std::string spaced = " " + std::string(78, 'a');
  for (const Case& c : {
           Case{"", 0, 0, "строка 1: 0 из 78"},
           Case{"first\n" + std::string(45, 'b'), 1, 45, "строка 2: 45 из 78"},
           Case{"first\n" + spaced, 1, 10, "строка 2: 10 из 79"},
           Case{std::string(80, 'c') + "\nx", 0, 3,
                "строка 1: 3 из 78, лишних символов в строке: 2"},
           Case{"ЯЯЯ", 0, 2, "строка 1: 2 из 78"},
       }) {
    EXPECT_EQ(ReportTextEditor::CursorPlace(c.text, c.line, c.column), c.place) << c.text;
  }
}

}  // namespace
}  // namespace tarvo::forms
