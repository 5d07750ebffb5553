#include "forms/texts/report_text_editor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/form_messages.h"
#include "model/code_page.h"

namespace tarvo::forms {

namespace {

constexpr int kHeaderLimit = 484;
constexpr int kFooterLimit = 241;
constexpr int kHeaderLimitL = 120;
constexpr int kLineLimit = 78;
constexpr int kSpacedLineLimit = 79;

// "верхнего колонтитула", as the line messages name a text.
const char* OfPart(ReportTextPart part) {
  return part == ReportTextPart::Header ? "верхнего колонтитула" : "нижнего колонтитула";
}

const char* PartName(ReportTextPart part) {
  return part == ReportTextPart::Header ? "Верхний колонтитул" : "Нижний колонтитул";
}

// CR LF and a lone CR become "\n", as an edit shows line breaks.
std::string EditLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// The device's printer would take a control character as a command, and the set ends a text at
// its first 0, dropping the rest.
std::optional<unsigned char> FirstControlCharacter(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return byte;
  }
  return std::nullopt;
}

std::string ControlCharacterMessage(unsigned char control, const std::string& where) {
  static constexpr std::pair<unsigned char, const char*> kNames[] = {
      {0x00, "NUL"}, {0x07, "BEL"}, {0x08, "BS"},  {0x09, "TAB"},
      {0x0B, "VT"},  {0x0C, "FF"},  {0x1B, "ESC"}, {0x7F, "DEL"}};
  char code[24];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(control));
  std::string named = code;
  for (const auto& [byte, name] : kNames) {
    if (byte == control) named += std::string(", ") + name;
  }
  return "Управляющий символ (" + named + ")" + where + " нельзя записать в колонтитул";
}

int LineLimit(std::string_view line) {
  return line.starts_with(' ') ? kSpacedLineLimit : kLineLimit;
}

}  // namespace

std::string StoredReportText(const char* bytes, std::size_t fieldSize) {
  const void* end = std::memchr(bytes, 0, fieldSize);
  const std::size_t length =
      end == nullptr ? fieldSize : static_cast<std::size_t>(static_cast<const char*>(end) - bytes);
  return EditLineBreaks(model::Cp1251ToUtf8(std::string_view(bytes, length)));
}

ReportTextEditor::ReportTextEditor(model::ParameterSet& set) : set_(set) {
  const bool lurL = set.Variant() == model::DeviceVariant::L;
  // The texts keep their 0 within what the device holds, so a text read back is in use.
  const model::TextCapacity capacity = model::ReportTextCapacity(set.ident);
  const int headerField = capacity.header > 0 ? capacity.header : model::kHeaderTextSize;
  header_.limit = lurL ? kHeaderLimitL : kHeaderLimit;
  header_.fieldBytes = std::min(headerField, model::kHeaderTextSize) - 1;
  footer_.limit = kFooterLimit;
  footer_.fieldBytes = model::kFooterTextSize - 1;
  footer_.shown = !lurL;

  if (set.headerEnabled != 0) {
    header_.enabled = true;
    header_.text = StoredReportText(set.headerText, model::kHeaderTextSize);
  }
  if (footer_.shown && set.footerEnabled != 0) {
    footer_.enabled = true;
    footer_.text = StoredReportText(set.footerText, model::kFooterTextSize);
  }
}

bool ReportTextEditor::Shown(ReportTextPart part) const {
  return EditOf(part).shown;
}

bool ReportTextEditor::Enabled(ReportTextPart part) const {
  return EditOf(part).enabled;
}

const std::string& ReportTextEditor::Text(ReportTextPart part) const {
  return EditOf(part).text;
}

int ReportTextEditor::Limit(ReportTextPart part) const {
  return EditOf(part).limit;
}

int ReportTextEditor::EditLength(std::string_view text) {
  return CharCount(text) + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::string ReportTextEditor::CursorPlace(std::string_view text, int line, int column) {
  const std::vector<std::string_view> lines = LinesOf(text);
  const std::string_view shown =
      line >= 0 && line < static_cast<int>(lines.size()) ? lines[line] : std::string_view();
  const int limit = LineLimit(shown);
  std::string place = "строка " + std::to_string(line + 1) + ": " + std::to_string(column) +
                      " из " + std::to_string(limit);
  const int length = CharCount(shown);
  if (length > limit) place += ", лишних символов в строке: " + std::to_string(length - limit);
  return place;
}

bool ReportTextEditor::Takes(ReportTextPart part, std::string_view text) const {
  const Edit& edit = EditOf(part);
  const int length = EditLength(EditLineBreaks(text));
  return length <= edit.limit || length <= EditLength(edit.text);
}

void ReportTextEditor::SetEnabled(ReportTextPart part, bool enabled) {
  Edit& edit = EditOf(part);
  if (edit.shown) edit.enabled = enabled;
}

std::optional<std::string> ReportTextEditor::EnterText(ReportTextPart part, std::string_view text) {
  Edit& edit = EditOf(part);
  if (!edit.shown) return std::string(PartName(part)) + " в этом вычислителе не используется";
  std::string entered = EditLineBreaks(text);
  if (!Takes(part, entered)) {
    return std::string(PartName(part)) + " не может быть длиннее " + std::to_string(edit.limit) +
           " символов (перевод строки считается за 2), а в нем " +
           std::to_string(EditLength(entered));
  }
  edit.text = std::move(entered);
  return std::nullopt;
}

void ReportTextEditor::Clear(ReportTextPart part) {
  EditOf(part).text.clear();
}

namespace {

// The line checks of one edit, whether its text is in use or not.
ReportTextVerdict CheckLines(platform::Ui& ui, ReportTextPart part, std::string_view text) {
  const std::vector<std::string_view> lines = LinesOf(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int limit = LineLimit(lines[i]);
    if (CharCount(lines[i]) > limit) {
      const int line = static_cast<int>(i) + 1;
      ShowError(ui, "Число символов в строке " + std::to_string(line) + " " + OfPart(part) +
                        " не должно превышать " + std::to_string(limit));
      return {false, part, line};
    }
  }
  return {};
}

// The text as the set keeps it: code page 1251, CR LF, every line beginning with a space (an
// empty text thereby becomes a single space). Refused, with its message, when a character has no
// place in 1251 or the result would not fit fieldBytes.
ReportTextVerdict StoredForm(platform::Ui& ui, ReportTextPart part, std::string_view text,
                             int fieldBytes, std::string& stored) {
  const std::vector<std::string_view> lines = LinesOf(text);
  stored.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int line = static_cast<int>(i) + 1;
    const std::string where = " в строке " + std::to_string(line) + " " + OfPart(part);
    const model::Cp1251Result bytes = model::Utf8ToCp1251(lines[i]);
    if (!bytes.ok) {
      ShowError(ui, bytes.Message(where));
      return {false, part, line};
    }
    if (const auto control = FirstControlCharacter(bytes.bytes)) {
      ShowError(ui, ControlCharacterMessage(*control, where));
      return {false, part, line};
    }
    if (i > 0) stored += "\r\n";
    if (!bytes.bytes.starts_with(' ')) stored += ' ';
    stored += bytes.bytes;
  }
  const int size = static_cast<int>(stored.size());
  if (size > fieldBytes) {
    ShowError(ui, std::string(PartName(part)) + " с пробелами в начале строк занимает " +
                      std::to_string(size) + " байт, а помещается не более " +
                      std::to_string(fieldBytes) + " (лишних байт: " +
                      std::to_string(size - fieldBytes) + "; перевод строки занимает 2 байта)");
    return {false, part, 0};
  }
  return {};
}

void StoreText(char* field, std::size_t fieldSize, const std::string& text) {
  std::memset(field, 0, fieldSize);
  std::memcpy(field, text.data(), std::min(text.size(), fieldSize - 1));
}

}  // namespace

ReportTextVerdict ReportTextEditor::Accept(platform::Ui& ui) {
  for (const ReportTextPart part : {ReportTextPart::Header, ReportTextPart::Footer}) {
    const ReportTextVerdict verdict = CheckLines(ui, part, EditOf(part).text);
    if (!verdict.accepted) return verdict;
  }
  std::string header;
  std::string footer;
  ReportTextVerdict verdict =
      StoredForm(ui, ReportTextPart::Header, header_.enabled ? header_.text : std::string(),
                 header_.fieldBytes, header);
  if (!verdict.accepted) return verdict;
  verdict = StoredForm(ui, ReportTextPart::Footer, footer_.enabled ? footer_.text : std::string(),
                       footer_.fieldBytes, footer);
  if (!verdict.accepted) return verdict;

  set_.headerEnabled = header_.enabled ? 1 : 0;
  set_.footerEnabled = footer_.enabled ? 1 : 0;
  StoreText(set_.headerText, sizeof set_.headerText, header);
  StoreText(set_.footerText, sizeof set_.footerText, footer);
  return {};
}

}  // namespace tarvo::forms
