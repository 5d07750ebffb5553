#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_set.h"
#include "shell/configuration_listing.h"

namespace tarvo::shell {

// What the head of a printed listing names besides the configuration itself.
struct ListingHeading {
  std::string fileName;  // as the user knows the file: its name, or the document's title
  std::string path;      // the whole path, when there is a file
  std::string date;      // "08.12.2026"
};

// How much of a configuration a listing prints: every form in full, or the channels and nodes not
// in use (medium 0, a node without type and channels) as one line each, without their dialogs.
enum class ListingDetail { InUse, Everything };

// A self-contained HTML document listing the forms: a title with the file name, the variant,
// execution code, software version and date, every form as a table of code, description and
// value, and the report texts in a monospace block. Every text is escaped, so a value can hold
// any byte.
std::string HtmlListing(const model::ParameterSet& set, const std::vector<ListedForm>& forms,
                        const ListingHeading& heading, ListingDetail detail = ListingDetail::InUse);

// Text for HTML: markup characters as entities, control characters visible as \xNN or \u00NN,
// a byte that is not UTF-8 as \xNN. Line breaks stay when keepLineBreaks is set.
std::string HtmlEscaped(std::string_view text, bool keepLineBreaks = false);

}  // namespace tarvo::shell
