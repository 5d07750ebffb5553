#include <memory>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/console_ui.h"
#include "app/cli/form_batch.h"
#include "app/cli/visible_text.h"
#include "model/document.h"
#include "shell/form_catalog.h"

namespace tarvo::app {

namespace {

struct Assignment {
  std::string code;
  std::string value;
};

int RunSet(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() < 2) {
    return UsageError(io, "set", "нужно задать файл параметров и хотя бы одно КОД=ЗНАЧЕНИЕ");
  }
  std::vector<Assignment> assignments;
  for (std::size_t i = 1; i < args.positional.size(); ++i) {
    const std::string& text = args.positional[i];
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
      return UsageError(io, "set", Quoted(text) + " не похоже на КОД=ЗНАЧЕНИЕ");
    }
    const std::string code = NormalizeCode(text.substr(0, eq));
    // Two values for one code leave the intended one in doubt: neither is taken.
    for (const Assignment& earlier : assignments) {
      if (earlier.code == code) return UsageError(io, "set", "код " + code + " задан дважды");
    }
    assignments.push_back({code, text.substr(eq + 1)});
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
  FormBatch batch;
  for (const FormTarget& target : AllFormTargets(set)) {
    batch.Add(target, MakeForm(set, target, message), ui);
  }
  for (const Assignment& assignment : assignments) {
    if (!batch.Enter(assignment.code, assignment.value, set, message)) {
      return Failure(io, message);
    }
  }

  // The switch is stored in the file: skipping the completion checks must not change it.
  const std::int32_t storedSwitch = set.checkForStart;
  if (args.Has("--no-start-check")) set.checkForStart = 0;
  if (!batch.AcceptInvolved(ui)) return Failure(io, "Файл " + path + " не изменен.");
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
