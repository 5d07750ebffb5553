#include <algorithm>
#include <memory>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/listing_output.h"
#include "app/cli/visible_text.h"
#include "forms/form.h"
#include "model/device_variant.h"
#include "model/document.h"
#include "shell/configuration_diff.h"

namespace tarvo::app {

namespace {

using shell::DifferentForm;
using shell::DifferentRow;
using shell::Presence;

// As diff does: 1 says the files differ, so a file that could not be compared must say
// something else.
constexpr int kExitTrouble = 2;

struct Compared {
  std::string path;
  model::ConfigurationDocument document;
};

std::string Described(const Compared& file) {
  const model::ParameterSet& set = file.document.Set();
  return VisibleText(file.path) + " — " + model::VariantName(set.Variant()) + ", исполнение " +
         Hex2(set.ident.executionCode) + ", версия ПО " + Hex2(set.ident.softwareVersion);
}

void PrintText(const std::vector<DifferentForm>& differences, const Compared& first,
               const Compared& second, std::ostream& out) {
  out << "1: " << Described(first) << "\n2: " << Described(second) << "\n";
  bool afterOneLine = false;
  for (const DifferentForm& form : differences) {
    if (form.presence != Presence::Both) {
      // A form one file lacks is one line, its rows would all differ; a run of them stays
      // together.
      out << (afterOneLine ? "" : "\n") << VisibleText(form.title) << ": только в "
          << VisibleText(form.presence == Presence::FirstOnly ? first.path : second.path) << "\n";
      afterOneLine = true;
      continue;
    }
    afterOneLine = false;
    out << "\n" << VisibleText(form.title) << "\n";
    int codeWidth = 0;
    int firstWidth = 0;
    int secondWidth = 0;
    for (const DifferentRow& row : form.rows) {
      codeWidth = std::max(codeWidth, forms::CharCount(VisibleText(row.code)));
      firstWidth = std::max(firstWidth, forms::CharCount(ShownValue(row.first)));
      secondWidth = std::max(secondWidth, forms::CharCount(ShownValue(row.second)));
    }
    for (const DifferentRow& row : form.rows) {
      const std::string description = VisibleText(TrimmedDescription(row.description));
      std::string line =
          PadToWidth(ShownValue(row.first), firstWidth) + " → " + ShownValue(row.second);
      // A table without descriptions ends its lines at the values.
      if (!description.empty())
        line = PadToWidth(line, firstWidth + 3 + secondWidth) + "  " + description;
      out << "  " << PadToWidth(VisibleText(row.code), codeWidth) << "  " << line << "\n";
    }
  }
}

const char* OnlyIn(Presence presence) {
  switch (presence) {
    case Presence::Both:
      return "";
    case Presence::FirstOnly:
      return "1";
    case Presence::SecondOnly:
      return "2";
  }
  return "";
}

void PrintCsv(const std::vector<DifferentForm>& differences, std::ostream& out) {
  out << "form,code,description,value1,value2,only\n";
  for (const DifferentForm& form : differences) {
    for (const DifferentRow& row : form.rows) {
      out << CsvField(form.name) << "," << CsvField(row.code) << "," << CsvField(row.description)
          << "," << CsvField(row.first.value_or("")) << "," << CsvField(row.second.value_or(""))
          << "," << OnlyIn(form.presence) << "\n";
    }
  }
}

std::string JsonValue(const std::optional<std::string>& value) {
  return value ? JsonString(*value) : "null";
}

void PrintJsonFile(const char* key, const Compared& file, std::ostream& out) {
  const model::ParameterSet& set = file.document.Set();
  out << "  \"" << key << "\": {\"file\": " << JsonString(file.path)
      << ", \"variant\": " << JsonString(model::VariantName(set.Variant()))
      << ", \"executionCode\": " << JsonString(Hex2(set.ident.executionCode))
      << ", \"softwareVersion\": " << JsonString(Hex2(set.ident.softwareVersion)) << "},\n";
}

void PrintJson(const std::vector<DifferentForm>& differences, const Compared& first,
               const Compared& second, std::ostream& out) {
  out << "{\n";
  PrintJsonFile("first", first, out);
  PrintJsonFile("second", second, out);
  out << "  \"forms\": [";
  for (std::size_t f = 0; f < differences.size(); ++f) {
    const DifferentForm& form = differences[f];
    const char* only = OnlyIn(form.presence);
    out << (f == 0 ? "" : ",") << "\n    {\"form\": " << JsonString(form.name)
        << ", \"title\": " << JsonString(form.title)
        << ", \"only\": " << (*only == '\0' ? std::string("null") : only) << ", \"rows\": [";
    for (std::size_t r = 0; r < form.rows.size(); ++r) {
      const DifferentRow& row = form.rows[r];
      out << (r == 0 ? "" : ",") << "\n      {\"code\": " << JsonString(row.code)
          << ", \"description\": " << JsonString(row.description)
          << ", \"value1\": " << JsonValue(row.first) << ", \"value2\": " << JsonValue(row.second)
          << "}";
    }
    out << (form.rows.empty() ? "]}" : "\n    ]}");
  }
  out << (differences.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

bool Open(const std::string& path, Compared& file, CliIo& io) {
  file.path = path;
  std::string message;
  if (!file.document.Open(path, message)) {
    io.err << VisibleLines(message) << "\n";
    return false;
  }
  if (file.document.Set().Variant() == model::DeviceVariant::None) {
    io.err << "В файле " << VisibleText(path)
           << " не задан тип вычислителя: форм параметров нет.\n";
    return false;
  }
  return true;
}

int RunDiff(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() != 2) {
    return UsageError(io, "diff", "нужно задать ровно два файла параметров");
  }
  const std::string format = args.Value("--format") ? *args.Value("--format") : "text";
  if (format != "text" && format != "csv" && format != "json") {
    return UsageError(io, "diff",
                      "формат " + Quoted(format) + " не предусмотрен: text, csv или json");
  }
  const auto first = std::make_unique<Compared>();
  const auto second = std::make_unique<Compared>();
  if (!Open(args.positional[0], *first, io) || !Open(args.positional[1], *second, io)) {
    return kExitTrouble;
  }

  const auto differences =
      shell::CompareConfigurations(first->document.Set(), second->document.Set());
  if (differences.empty()) return kExitOk;
  if (format == "csv") {
    PrintCsv(differences, io.out);
  } else if (format == "json") {
    PrintJson(differences, *first, *second, io.out);
  } else {
    PrintText(differences, *first, *second, io.out);
  }
  return kExitFailed;
}

}  // namespace

Command DiffCommand() {
  return {
      "diff",
      "сравнить два файла параметров",
      "Использование: tarvo diff ФАЙЛ1.par ФАЙЛ2.par [--format text|csv|json]\n\n"
      "Выводит строки форм, значения которых различаются, по формам в их порядке\n"
      "(общесистемные параметры, каналы учета с окнами их кнопок, узлы учета,\n"
      "колонтитулы текстовых отчетов): код, значение в первом и во втором файле, описание.\n"
      "Сравниваются значения так, как их показывают формы. Файлы разных типов или с разным\n"
      "числом каналов сравниваются по общим формам и строкам; форма или строка, которая\n"
      "есть только в одном файле, выводится с пометкой «только в ...» или «(нет)».\n\n"
      "  --format ФОРМАТ  text (по умолчанию), csv (form,code,description,value1,value2,only)\n"
      "                   или json\n\n"
      "Код завершения: 0 — различий нет (ничего не выводится), 1 — файлы различаются,\n"
      "2 — файл не открыт или неверный вызов.\n",
      {{"--format", true, ""}},
      RunDiff,
  };
}

}  // namespace tarvo::app
