#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/form_batch.h"
#include "app/cli/listing_output.h"
#include "app/cli/texts_listing.h"
#include "app/cli/visible_text.h"
#include "forms/form.h"
#include "model/document.h"
#include "platform/local_time.h"
#include "platform/utf8_path.h"
#include "shell/configuration_listing.h"
#include "shell/html_listing.h"

namespace tarvo::app {

namespace {

using ShownRow = shell::ListedRow;
using ShownForm = shell::ListedForm;

void PrintText(const std::vector<ShownForm>& shown, std::ostream& out) {
  bool first = true;
  for (const ShownForm& form : shown) {
    if (!first) out << "\n";
    first = false;
    out << VisibleText(form.title) << "\n";
    int codeWidth = 0;
    int valueWidth = 0;
    for (const ShownRow& row : form.rows) {
      codeWidth = std::max(codeWidth, forms::CharCount(VisibleText(row.code)));
      valueWidth = std::max(valueWidth, forms::CharCount(VisibleText(row.value)));
    }
    for (const ShownRow& row : form.rows) {
      const std::string value = VisibleText(row.value);
      const std::string description = VisibleText(TrimmedDescription(row.description));
      out << "  " << PadToWidth(VisibleText(row.code), codeWidth) << "  ";
      // A table without descriptions ends its lines at the value.
      out << (description.empty() ? value : PadToWidth(value, valueWidth) + "  " + description)
          << "\n";
    }
  }
}

void PrintCsv(const std::vector<ShownForm>& shown, std::ostream& out) {
  out << "form,code,description,value\n";
  for (const ShownForm& form : shown) {
    for (const ShownRow& row : form.rows) {
      out << CsvField(form.name) << "," << CsvField(row.code) << "," << CsvField(row.description)
          << "," << CsvField(row.value) << "\n";
    }
  }
}

void PrintJson(const model::ConfigurationDocument& document, const std::vector<ShownForm>& shown,
               std::ostream& out) {
  const model::ParameterSet& set = document.Set();
  out << "{\n  \"file\": " << JsonString(document.PathName())
      << ",\n  \"variant\": " << JsonString(model::VariantName(set.Variant()))
      << ",\n  \"executionCode\": " << JsonString(Hex2(set.ident.executionCode))
      << ",\n  \"forms\": [";
  for (std::size_t f = 0; f < shown.size(); ++f) {
    const ShownForm& form = shown[f];
    out << (f == 0 ? "" : ",") << "\n    {\"form\": " << JsonString(form.name)
        << ", \"title\": " << JsonString(form.title) << ", \"rows\": [";
    for (std::size_t r = 0; r < form.rows.size(); ++r) {
      const ShownRow& row = form.rows[r];
      out << (r == 0 ? "" : ",") << "\n      {\"code\": " << JsonString(row.code)
          << ", \"description\": " << JsonString(row.description)
          << ", \"value\": " << JsonString(row.value) << "}";
    }
    out << (form.rows.empty() ? "]}" : "\n    ]}");
  }
  out << (shown.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

// The printed listing names the file and the day it was made.
shell::ListingHeading HeadingOf(const std::string& path) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char date[16] = "";
  if (platform::LocalTime(now, local)) std::strftime(date, sizeof date, "%d.%m.%Y", &local);
  return {platform::Utf8OfPath(platform::PathFromUtf8(path).filename()), path, date};
}

// The --form value and, for "channel" and "node", the number given after it.
std::optional<std::string> FormArgument(const ParsedArgs& args, std::string& error) {
  const std::string* form = args.Value("--form");
  if (form == nullptr) {
    if (args.positional.size() > 1) error = "лишний аргумент " + args.positional[1];
    return std::nullopt;
  }
  std::string name = *form;
  if ((name == "channel" || name == "node") && args.positional.size() == 2) {
    name += " " + args.positional[1];
  } else if (args.positional.size() > 1) {
    error = "лишний аргумент " + args.positional[1];
  }
  return name;
}

int RunShow(const ParsedArgs& args, CliIo& io) {
  if (args.positional.empty()) return UsageError(io, "show", "нужно задать файл параметров");
  std::string error;
  const auto formName = FormArgument(args, error);
  if (!error.empty()) return UsageError(io, "show", error);
  const std::string format = args.Value("--format") ? *args.Value("--format") : "text";
  if (format != "text" && format != "csv" && format != "json" && format != "html") {
    return UsageError(io, "show",
                      "формат " + Quoted(format) + " не предусмотрен: text, csv, json или html");
  }

  model::ConfigurationDocument document;
  std::string message;
  if (!document.Open(args.positional.front(), message)) return Failure(io, message);
  model::ParameterSet& set = document.Set();
  if (set.Variant() == model::DeviceVariant::None) {
    return Failure(io, "В файле не задан тип вычислителя: форм параметров нет.");
  }

  std::vector<ShownForm> shown;
  const bool texts = formName == kTextsFormName;
  if (texts) {
    if (const auto refusal = NoReportTexts(set)) return Failure(io, *refusal);
    shown = {*ListReportTexts(set)};
  } else {
    std::optional<FormTarget> only;
    if (formName) {
      only = ParseFormName(*formName, set, error);
      if (!only) return UsageError(io, "show", error);
    }
    // The printed listing is the whole configuration, report texts included.
    shown = !only && format == "html" ? shell::ListConfigurationAndTexts(set)
                                      : shell::ListConfiguration(set, only);
  }

  if (format == "html") {
    io.out << shell::HtmlListing(
        set, shown, HeadingOf(document.PathName()),
        args.Has("--all") ? shell::ListingDetail::Everything : shell::ListingDetail::InUse);
  } else if (format == "csv") {
    PrintCsv(shown, io.out);
  } else if (format == "json") {
    PrintJson(document, shown, io.out);
  } else if (texts) {
    PrintReportTexts(shown.front(), io.out);
  } else {
    PrintText(shown, io.out);
  }
  return kExitOk;
}

}  // namespace

Command ShowCommand() {
  return {
      "show",
      "показать параметры по формам",
      "Использование: tarvo show ФАЙЛ.par [--form system|channel N|node N|texts]\n"
      "                          [--format text|csv|json|html [--all]]\n\n"
      "Выводит строки форм параметров так, как они заполняются из файла: код, значение\n"
      "и описание, в порядке форм (общесистемные параметры, каналы учета, узлы учета).\n"
      "Вывод в UTF-8 годится для просмотра, сравнения через diff и архива.\n\n"
      "  --form ФОРМА     только одна форма: system, channel N или node N (N от 1),\n"
      "                   texts — колонтитулы текстовых отчетов с их флажками\n"
      "  --format ФОРМАТ  text (по умолчанию), csv (form,code,description,value), json\n"
      "                   или html — документ для печати и архива (с колонтитулами)\n"
      "  --all            в html каналы и узлы, которые не используются (вид носителя 0,\n"
      "                   узел без типа и каналов), тоже полностью, а не одной строкой\n\n"
      "Флажок выводится как 1 или 0, строка из нескольких ячеек — ячейками через запятую.\n"
      "Окно, которое открывается кнопкой страницы (например, таблица канала), выводится\n"
      "следом за страницей как форма «channel N/кнопка».\n",
      {{"--form", true, ""}, {"--format", true, ""}, {"--all", false, ""}},
      RunShow,
  };
}

}  // namespace tarvo::app
