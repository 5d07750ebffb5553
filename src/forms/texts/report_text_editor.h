#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/parameter_set.h"
#include "platform/ui.h"

namespace tarvo::forms {

enum class ReportTextPart { Header, Footer };

// Where OK stopped: the text and its 1-based line a check refused (line 0 when the refusal names
// the whole text).
struct ReportTextVerdict {
  bool accepted = true;
  ReportTextPart part = ReportTextPart::Header;
  int line = 0;
};

// The report header and footer editor without its window. It holds the two texts as the edits
// show them (UTF-8, a line break is "\n") and the two ticks; the set changes only when OK
// accepts, so Cancel is simply not calling Accept.
class ReportTextEditor {
 public:
  static constexpr const char* kTitle = "Колонтитулы текстовых отчетов вычислителя";

  // Opens on the set: a text is shown only when its flag is set. ЛУР-Л has no footer.
  explicit ReportTextEditor(model::ParameterSet& set);

  bool Shown(ReportTextPart part) const;
  bool Enabled(ReportTextPart part) const;
  const std::string& Text(ReportTextPart part) const;
  // The edit's limit in characters; a line break counts two, as it is stored (CR LF).
  int Limit(ReportTextPart part) const;
  // The length the limit is measured in.
  static int EditLength(std::string_view text);
  // Where the cursor stands, as the editor shows it while typing: "строка 2: 45 из 78" (the line,
  // 1-based; the characters before the cursor; the line's limit), and for a line beyond its limit
  // how many characters are too many.
  static std::string CursorPlace(std::string_view text, int line, int column);

  // Whether the edit takes this text: within its limit, or no longer than the text it holds (a
  // stored text beyond the limit can still be shortened).
  bool Takes(ReportTextPart part, std::string_view text) const;
  // Ticks or clears a check box; the edit keeps its text. A hidden text cannot be ticked.
  void SetEnabled(ReportTextPart part, bool enabled);
  // Puts a text into the edit as typed or pasted (CR LF and CR become line breaks). A text the
  // edit does not take is refused, never cut. Returns the reason for a refusal.
  std::optional<std::string> EnterText(ReportTextPart part, std::string_view text);
  void Clear(ReportTextPart part);

  // OK: the line checks, then the texts that go into the set must be expressible in code page
  // 1251 and fit their field with the spaces the lines get; the first failure shows one message
  // and nothing is stored. When all pass, the flags and texts go into the set.
  ReportTextVerdict Accept(platform::Ui& ui);

 private:
  struct Edit {
    bool shown = true;
    bool enabled = false;
    std::string text;
    int limit = 0;
    int fieldBytes = 0;  // the longest text the set and the device keep, without its 0
  };

  Edit& EditOf(ReportTextPart part) { return part == ReportTextPart::Header ? header_ : footer_; }
  const Edit& EditOf(ReportTextPart part) const {
    return part == ReportTextPart::Header ? header_ : footer_;
  }

  model::ParameterSet& set_;
  Edit header_;
  Edit footer_;
};

// A report text of the set as an edit shows it: UTF-8, "\n" between lines.
std::string StoredReportText(const char* bytes, std::size_t fieldSize);

}  // namespace tarvo::forms
