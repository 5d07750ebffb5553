#include <memory>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/console_ui.h"
#include "app/cli/form_catalog.h"
#include "model/document.h"

namespace tarvo::app {

namespace {

struct Assignment {
  std::string code;
  std::string value;
};

struct FormSlot {
  FormTarget target;
  std::unique_ptr<forms::Form> form;  // null while the variant's pages are not built
  std::string missingMessage;
  bool involved = false;
  int owner = -1;  // a dialog behind a button: the slot of its page
};

std::string NoFormMessage(const std::string& code, const model::ParameterSet& set) {
  return "Код " + code + " не показывает ни одна форма вычислителя " +
         model::VariantName(set.Variant()) + " (исполнение " + Hex2(set.ident.executionCode) + ").";
}

// Enters every value into the row that shows its code; a message on the first that cannot be.
bool EnterAll(const std::vector<Assignment>& assignments, std::vector<FormSlot>& slots,
              const model::ParameterSet& set, std::string& message) {
  for (const Assignment& assignment : assignments) {
    forms::Row* row = nullptr;
    forms::Form* form = nullptr;
    for (FormSlot& slot : slots) {
      if (slot.form && (row = slot.form->FindRow(assignment.code)) != nullptr) {
        slot.involved = true;
        // The page is left after its dialog closes, so its checks run too.
        if (slot.owner >= 0) slots[slot.owner].involved = true;
        form = slot.form.get();
        break;
      }
    }
    if (row == nullptr) {
      const auto page = PageOfCode(set, assignment.code);
      for (const FormSlot& slot : slots) {
        if (page && slot.target == *page && !slot.form) {
          message = slot.missingMessage + " Код " + assignment.code + " не может быть задан.";
          return false;
        }
      }
      message = NoFormMessage(assignment.code, set);
      return false;
    }
    if (const auto error = form->EnterValue(*row, assignment.value)) {
      message = "Код " + assignment.code + ": " + *error + ".";
      return false;
    }
  }
  return true;
}

int RunSet(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() < 2) {
    return UsageError(io, "set", "нужно задать файл параметров и хотя бы одно КОД=ЗНАЧЕНИЕ");
  }
  std::vector<Assignment> assignments;
  for (std::size_t i = 1; i < args.positional.size(); ++i) {
    const std::string& text = args.positional[i];
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
      return UsageError(io, "set", "«" + text + "» не похоже на КОД=ЗНАЧЕНИЕ");
    }
    assignments.push_back({NormalizeCode(text.substr(0, eq)), text.substr(eq + 1)});
  }

  const std::string& path = args.positional.front();
  auto document = std::make_unique<model::ConfigurationDocument>();
  std::string message;
  if (!document->Open(path, message)) return Failure(io, message);
  model::ParameterSet& set = document->Set();
  if (set.Variant() == model::DeviceVariant::None) {
    return Failure(io, "В файле не задан тип вычислителя: форм параметров нет.");
  }

  ConsoleUi ui(io.err);
  std::vector<FormSlot> slots;
  for (const FormTarget& target : AllFormTargets(set)) {
    auto form = MakeForm(set, target, message);
    if (!form) {
      slots.push_back({target, nullptr, message, false, -1});
      continue;
    }
    form->Fill();
    // A dialog behind a button stores into the set on its OK, before its page is left: it
    // stands before the page.
    auto dialogs = forms::OpenDialogs(*form, ui);
    const int owner = static_cast<int>(slots.size() + dialogs.size());
    for (auto& dialog : dialogs)
      slots.push_back({target, std::move(dialog.form), {}, false, owner});
    slots.push_back({target, std::move(form), {}, false, -1});
  }
  if (!EnterAll(assignments, slots, set, message)) return Failure(io, message);

  // The switch is stored in the file: skipping the completion checks must not change it.
  const std::int32_t storedSwitch = set.checkForStart;
  if (args.Has("--no-start-check")) set.checkForStart = 0;
  for (FormSlot& slot : slots) {
    if (slot.involved && !slot.form->Accept(ui)) {
      return Failure(io, "Файл " + path + " не изменен.");
    }
  }
  set.checkForStart = storedSwitch;

  if (!document->Store(path, message)) return Failure(io, message);
  io.out << "Файл параметров сохранен: " << path << "\n";
  return kExitOk;
}

}  // namespace

Command SetCommand() {
  return {
      "set",
      "задать параметры с проверками форм",
      "Использование: tarvo set ФАЙЛ.par КОД=ЗНАЧЕНИЕ ... [--no-start-check]\n\n"
      "Находит форму и строку, которые показывают каждый код, заполняет форму из файла,\n"
      "вводит значения и выполняет те же проверки, что и кнопка OK формы или переход\n"
      "со страницы. Файл сохраняется (атомарно), только если все затронутые формы\n"
      "приняли значения; иначе выводится сообщение формы с заголовком, код завершения 1,\n"
      "файл не меняется.\n\n"
      "  Флажок: 1 или 0. Список: текст строки списка или ее номер от 0.\n"
      "  Строка из нескольких ячеек: ячейки через запятую или подряд по их ширине.\n"
      "  Значение длиннее ячейки отклоняется с указанием допустимой длины.\n"
      "  Пример: tarvo set a.par K018=1 K020=5,5 П215=12\n\n"
      "  --no-start-check  не выполнять проверки для пуска на счет (по умолчанию они\n"
      "                    выполняются, если включены в файле)\n",
      {{"--no-start-check", false, ""}},
      RunSet,
  };
}

}  // namespace tarvo::app
