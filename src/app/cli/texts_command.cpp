#include <memory>

#include "app/cli/command.h"
#include "app/cli/console_ui.h"
#include "app/cli/texts_listing.h"
#include "forms/form_messages.h"
#include "forms/texts/report_text_editor.h"
#include "model/document.h"
#include "platform/file_io.h"

namespace tarvo::app {

namespace {

using Part = forms::ReportTextPart;

// Far beyond any text the editor takes; a longer file is not read in part.
constexpr std::size_t kMaxTextFileBytes = 64 * 1024;

// A text file as the edit would hold it: UTF-8 without a byte-order mark, the final line break
// not part of the text.
bool ReadTextFile(const std::string& path, std::string& text, std::string& message) {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!platform::ReadFileBytes(path, kMaxTextFileBytes + 1, bytes, reason)) {
    message = "Не удалось прочитать файл " + path + ": " + reason;
    return false;
  }
  if (bytes.size() > kMaxTextFileBytes) {
    message = "Файл " + path + " слишком велик для колонтитула.";
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  if (text.ends_with("\r\n")) {
    text.resize(text.size() - 2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.pop_back();
  }
  return true;
}

struct TextChoice {
  const char* text;     // "--header"
  const char* disable;  // "--no-header"
  Part part;
};

constexpr TextChoice kChoices[] = {{"--header", "--no-header", Part::Header},
                                   {"--footer", "--no-footer", Part::Footer}};

int RunTexts(const ParsedArgs& args, CliIo& io) {
  if (args.positional.empty()) return UsageError(io, "texts", "нужно задать файл параметров");
  if (args.positional.size() > 1) {
    return UsageError(io, "texts", "лишний аргумент " + args.positional[1]);
  }
  bool anyChoice = false;
  for (const TextChoice& choice : kChoices) {
    if (args.Value(choice.text) != nullptr && args.Has(choice.disable)) {
      return UsageError(
          io, "texts", std::string(choice.text) + " и " + choice.disable + " исключают друг друга");
    }
    anyChoice = anyChoice || args.Value(choice.text) != nullptr || args.Has(choice.disable);
  }
  if (!anyChoice) {
    return UsageError(io, "texts", "нужно задать --header, --no-header, --footer или --no-footer");
  }

  const std::string& path = args.positional.front();
  auto document = std::make_unique<model::ConfigurationDocument>();
  std::string message;
  if (!document->Open(path, message)) return Failure(io, message);
  if (const auto refusal = NoReportTexts(document->Set())) return Failure(io, *refusal);

  forms::ReportTextEditor editor(document->Set());
  ConsoleUi ui(io.err);
  const std::string unchanged = "Файл " + path + " не изменен.";
  for (const TextChoice& choice : kChoices) {
    if (args.Has(choice.disable)) editor.SetEnabled(choice.part, false);
    const std::string* textPath = args.Value(choice.text);
    if (textPath == nullptr) continue;
    if (!editor.Shown(choice.part)) {
      return Failure(io, "У вычислителя " + model::VariantName(document->Set().Variant()) +
                             " нет нижнего колонтитула. " + unchanged);
    }
    std::string text;
    if (!ReadTextFile(*textPath, text, message)) return Failure(io, message + " " + unchanged);
    if (const auto refusal = editor.EnterText(choice.part, text)) {
      forms::ShowError(ui, *refusal);
      return Failure(io, unchanged);
    }
    editor.SetEnabled(choice.part, true);
  }
  if (!editor.Accept(ui).accepted) return Failure(io, unchanged);

  if (!document->Store(path, message)) return Failure(io, message);
  io.out << "Файл параметров сохранен: " << path << "\n";
  return kExitOk;
}

}  // namespace

Command TextsCommand() {
  return {
      "texts",
      "задать колонтитулы текстовых отчетов",
      "Использование: tarvo texts ФАЙЛ.par [--header ТЕКСТ.txt | --no-header]\n"
      "                                    [--footer ТЕКСТ.txt | --no-footer]\n\n"
      "Делает то же, что редактор «Колонтитулы текстовых отчетов вычислителя» окна:\n"
      "--header и --footer ставят флажок и берут текст из файла (UTF-8, строки через LF\n"
      "или CR LF; последний перевод строки файла в текст не входит), --no-header и\n"
      "--no-footer снимают флажок. Колонтитул без этих параметров остается как в файле.\n"
      "Затем выполняются проверки кнопки OK: не более 78 символов в строке (79, если\n"
      "строка начинается с пробела), только символы кодировки Windows-1251 без\n"
      "управляющих (табуляция, ESC, DEL и другие ушли бы на принтер вычислителя), и текст\n"
      "вместе с пробелами, которые добавляются в начало строк, должен поместиться\n"
      "в вычислитель. Текст длиннее поля редактора (верхний колонтитул 484 символа,\n"
      "у ЛУР-Л 120, нижний 241; перевод строки считается за 2) отклоняется, а не\n"
      "обрезается. Файл сохраняется (атомарно), только если проверки пройдены; иначе\n"
      "выводится сообщение с заголовком, код завершения 1, файл не меняется.\n\n"
      "У ЛУР-Л нижнего колонтитула нет: он сохраняется выключенным. ЛУР-У колонтитулов\n"
      "не хранит. Посмотреть колонтитулы: tarvo show ФАЙЛ.par --form texts\n",
      {{"--header", true, ""},
       {"--no-header", false, ""},
       {"--footer", true, ""},
       {"--no-footer", false, ""}},
      RunTexts,
  };
}

}  // namespace tarvo::app
