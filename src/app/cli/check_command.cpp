#include "app/cli/command.h"
#include "app/cli/refusal_listing.h"
#include "app/cli/visible_text.h"
#include "model/document.h"
#include "shell/configuration_check.h"

namespace tarvo::app {

namespace {

constexpr const char* kAllAccept = "Все формы принимают конфигурацию.";

int RunCheck(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() != 1) {
    return UsageError(io, "check", "нужно задать ровно один файл параметров");
  }
  const std::string format = args.Value("--format") ? *args.Value("--format") : "text";
  if (format != "text" && format != "csv" && format != "json") {
    return UsageError(io, "check",
                      "формат " + Quoted(format) + " не предусмотрен: text, csv или json");
  }
  model::ConfigurationDocument document;
  std::string message;
  if (!document.Open(args.positional.front(), message)) return Failure(io, message);
  if (document.Set().Variant() == model::DeviceVariant::None) {
    return Failure(io, "В файле не задан тип вычислителя: форм параметров нет.");
  }

  const bool start = args.Has("--start");
  const auto refusals = shell::CheckConfiguration(
      document.Set(), start ? shell::StartCheck::On : shell::StartCheck::AsStored);
  if (format == "csv") {
    PrintRefusalsCsv(refusals, io.out);
  } else if (format == "json") {
    PrintRefusalsJson(document, start || document.Set().checkForStart != 0, refusals, io.out);
  } else if (refusals.empty()) {
    io.out << kAllAccept << "\n";
  } else {
    PrintRefusalsText(refusals, io.out);
  }
  return refusals.empty() ? kExitOk : kExitFailed;
}

}  // namespace

Command CheckCommand() {
  return {
      "check",
      "проверить конфигурацию всеми формами",
      "Использование: tarvo check ФАЙЛ.par [--start] [--format text|csv|json]\n\n"
      "Заполняет из файла каждую форму (общесистемные параметры, страницы каналов и узлов\n"
      "учета, окна за кнопками страниц) и выполняет ее проверки, как кнопка OK или переход\n"
      "со страницы, ничего не меняя. Для каждой формы, которая не принимает значения,\n"
      "выводится строка: форма, код строки (\"-\", если сообщение не называет строку),\n"
      "заголовок и текст первого сообщения формы; каждое значение, которое требуется\n"
      "для пуска на счет, — отдельной строкой с кодом своей строки. Файл не изменяется.\n"
      "Код завершения: 0, если все формы принимают конфигурацию, 1, если какая-то нет.\n\n"
      "  --start          выполнить проверки для пуска на счет, даже если в файле они\n"
      "                   выключены (по умолчанию — как задано в файле)\n"
      "  --format ФОРМАТ  text (по умолчанию), csv (form,code,caption,message) или json\n",
      {{"--start", false, ""}, {"--format", true, ""}},
      RunCheck,
  };
}

}  // namespace tarvo::app
