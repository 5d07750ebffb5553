#include "shell/html_listing.h"

#include <cstdio>

#include "model/device_variant.h"
#include "model/utf8.h"

namespace tarvo::shell {

namespace {

std::string Hex2(std::uint8_t value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The print engine of the window understands table attributes; browsers the style sheet.
constexpr const char* kStyle =
    "body { font-family: 'DejaVu Sans', sans-serif; font-size: 10pt; }\n"
    "h1 { font-size: 14pt; }\n"
    "h2 { font-size: 11pt; margin-top: 16px; margin-bottom: 4px; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #808080; padding: 2px 4px; text-align: left; "
    "vertical-align: top; }\n"
    "th { background-color: #e8e8e8; }\n"
    "td.code, td.value { white-space: nowrap; }\n"
    "p.unused { margin-top: 4px; margin-bottom: 4px; }\n"
    "pre { font-family: 'DejaVu Sans Mono', monospace; font-size: 9pt; "
    "border: 1px solid #808080; padding: 4px; }\n";

constexpr const char* kTable =
    "<table class=\"form\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n";

void AppendHeading(const model::ParameterSet& set, const ListingHeading& heading,
                   std::string& html) {
  const std::string variant = model::VariantName(set.Variant());
  html += "<h1>" + HtmlEscaped(heading.fileName) + "</h1>\n";
  html += "<table class=\"heading\" cellspacing=\"0\" cellpadding=\"2\">\n";
  const std::pair<const char*, std::string> lines[] = {
      {"Тип вычислителя", variant},
      {"Исполнение", Hex2(set.ident.executionCode)},
      {"Версия ПО", Hex2(set.ident.softwareVersion)},
      {"Дата", heading.date},
  };
  if (!heading.path.empty()) {
    html += "<tr><th>Файл</th><td>" + HtmlEscaped(heading.path) + "</td></tr>\n";
  }
  for (const auto& [name, value] : lines) {
    html += "<tr><th>" + std::string(name) + "</th><td>" + HtmlEscaped(value) + "</td></tr>\n";
  }
  html += "</table>\n";
}

void AppendForm(const ListedForm& form, std::string& html) {
  html += "<h2>" + HtmlEscaped(ShownTitle(form)) + "</h2>\n";
  html += kTable;
  // Fixed shares keep the columns in line from one form to the next.
  html +=
      "<thead><tr><th width=\"10%\">Код</th><th>Описание</th><th width=\"24%\">Значение</th>"
      "</tr></thead>\n<tbody>\n";
  for (const ListedRow& row : form.rows) {
    html += "<tr><td class=\"code\">" + HtmlEscaped(row.code) + "</td><td>" +
            HtmlEscaped(Trimmed(row.description)) + "</td><td class=\"value\">" +
            HtmlEscaped(row.value) + "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

// The flags as words, each text in its own monospace block.
void AppendTexts(const ListedForm& form, std::string& html) {
  html += "<h2>" + HtmlEscaped(form.title) + "</h2>\n";
  for (std::size_t i = 0; i + 1 < form.rows.size(); i += 2) {
    const ListedRow& flag = form.rows[i];
    const ListedRow& text = form.rows[i + 1];
    html += "<p class=\"text\">" + HtmlEscaped(text.description) + ": " +
            (flag.value == "1" ? "используется" : "не используется") + "</p>\n";
    html += "<pre>" + HtmlEscaped(text.value, true) + "</pre>\n";
  }
}

}  // namespace

std::string HtmlEscaped(std::string_view text, bool keepLineBreaks) {
  std::string html;
  for (char c : model::VisibleUtf8(text, keepLineBreaks)) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string HtmlListing(const model::ParameterSet& set, const std::vector<ListedForm>& forms,
                        const ListingHeading& heading, ListingDetail detail) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      HtmlEscaped(heading.fileName + " — " + model::VariantName(set.Variant()) + ", исполнение " +
                  Hex2(set.ident.executionCode)) +
      "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n";
  AppendHeading(set, heading, html);
  for (const ListedForm& form : forms) {
    if (form.name == kTextsFormName) {
      AppendTexts(form, html);
    } else if (detail == ListingDetail::InUse && !InUse(set, form.target)) {
      // Pages of dashes say less than one line; the dialogs behind its buttons say nothing.
      if (form.buttonId.empty()) {
        html += "<p class=\"unused\"><b>" + HtmlEscaped(form.title) + "</b> — " +
                NotInUseText(form.target) + "</p>\n";
      }
    } else {
      AppendForm(form, html);
    }
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace tarvo::shell
