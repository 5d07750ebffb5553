#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/parameter_set.h"
#include "shell/configuration_listing.h"

namespace tarvo::shell {

// A row whose shown values differ; a side whose form does not show the row has no value.
struct DifferentRow {
  std::string code;
  std::string description;
  std::optional<std::string> first;
  std::optional<std::string> second;
};

enum class Presence { Both, FirstOnly, SecondOnly };

// A form with the rows that differ; a form only one configuration has lists all its rows.
struct DifferentForm {
  FormTarget target;
  std::string buttonId;
  std::string name;   // as the listing names it: "channel 2/irvis", "texts"
  std::string title;  // as the first configuration shows it (ShownTitle), where it has the form
  Presence presence = Presence::Both;
  std::vector<DifferentRow> rows;
};

// What differs between two configurations as far as their forms and report texts show them, in
// form order; empty when they show the same. Forms and rows are matched by name and code, so
// configurations of different variants or channel counts compare as far as they share them.
std::vector<DifferentForm> CompareConfigurations(const model::ParameterSet& first,
                                                 const model::ParameterSet& second);
std::vector<DifferentForm> CompareListings(const std::vector<ListedForm>& first,
                                           const std::vector<ListedForm>& second);

}  // namespace tarvo::shell
