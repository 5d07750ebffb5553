#include "shell/configuration_diff.h"

#include <map>
#include <utility>

namespace tarvo::shell {

namespace {

// Where each entry of a union of two ordered lists comes from: index in the first, in the second
// (-1 for none).
using Pairing = std::pair<int, int>;

// The union of two ordered key lists, each keeping its order: a key of the second alone follows
// the nearest key before it that both lists hold.
template <typename Key>
std::vector<Pairing> MergeOrder(const std::vector<Key>& first, const std::vector<Key>& second) {
  std::map<Key, int> inFirst;
  for (std::size_t i = 0; i < first.size(); ++i) inFirst.emplace(first[i], static_cast<int>(i));
  std::map<Key, int> inSecond;
  for (std::size_t j = 0; j < second.size(); ++j) inSecond.emplace(second[j], static_cast<int>(j));

  // secondOnly[k]: the second's own keys that follow first[k - 1] (k = 0: before any).
  std::vector<std::vector<int>> secondOnly(first.size() + 1);
  int anchor = 0;
  for (std::size_t j = 0; j < second.size(); ++j) {
    const auto match = inFirst.find(second[j]);
    if (match != inFirst.end()) {
      anchor = match->second + 1;
    } else {
      secondOnly[anchor].push_back(static_cast<int>(j));
    }
  }
  std::vector<Pairing> merged;
  for (int j : secondOnly[0]) merged.emplace_back(-1, j);
  for (std::size_t i = 0; i < first.size(); ++i) {
    const auto match = inSecond.find(first[i]);
    merged.emplace_back(static_cast<int>(i), match == inSecond.end() ? -1 : match->second);
    for (int j : secondOnly[i + 1]) merged.emplace_back(-1, j);
  }
  return merged;
}

// A row is known by its code and, should a form show a code twice, by which of them it is.
using RowKey = std::pair<std::string, int>;

std::vector<RowKey> RowKeys(const ListedForm& form) {
  std::map<std::string, int> seen;
  std::vector<RowKey> keys;
  for (const ListedRow& row : form.rows) keys.emplace_back(row.code, seen[row.code]++);
  return keys;
}

std::vector<std::string> FormKeys(const std::vector<ListedForm>& forms) {
  std::vector<std::string> keys;
  for (const ListedForm& form : forms) keys.push_back(form.name);
  return keys;
}

DifferentForm HeadOf(const ListedForm& form, Presence presence) {
  return {form.target, form.buttonId, form.name, ShownTitle(form), presence, {}};
}

DifferentForm OneSideOnly(const ListedForm& form, Presence presence) {
  DifferentForm different = HeadOf(form, presence);
  for (const ListedRow& row : form.rows) {
    if (presence == Presence::FirstOnly) {
      different.rows.push_back({row.code, row.description, row.value, std::nullopt});
    } else {
      different.rows.push_back({row.code, row.description, std::nullopt, row.value});
    }
  }
  return different;
}

DifferentForm CompareForm(const ListedForm& first, const ListedForm& second) {
  DifferentForm different = HeadOf(first, Presence::Both);
  for (const auto& [i, j] : MergeOrder(RowKeys(first), RowKeys(second))) {
    const ListedRow* a = i >= 0 ? &first.rows[i] : nullptr;
    const ListedRow* b = j >= 0 ? &second.rows[j] : nullptr;
    if (a != nullptr && b != nullptr && a->value == b->value) continue;
    const ListedRow& shown = a != nullptr ? *a : *b;
    different.rows.push_back({shown.code, shown.description,
                              a != nullptr ? std::optional(a->value) : std::nullopt,
                              b != nullptr ? std::optional(b->value) : std::nullopt});
  }
  return different;
}

}  // namespace

std::vector<DifferentForm> CompareListings(const std::vector<ListedForm>& first,
                                           const std::vector<ListedForm>& second) {
  std::vector<DifferentForm> differences;
  for (const auto& [i, j] : MergeOrder(FormKeys(first), FormKeys(second))) {
    if (j < 0) {
      differences.push_back(OneSideOnly(first[i], Presence::FirstOnly));
    } else if (i < 0) {
      differences.push_back(OneSideOnly(second[j], Presence::SecondOnly));
    } else if (DifferentForm form = CompareForm(first[i], second[j]); !form.rows.empty()) {
      differences.push_back(std::move(form));
    }
  }
  return differences;
}

std::vector<DifferentForm> CompareConfigurations(const model::ParameterSet& first,
                                                 const model::ParameterSet& second) {
  return CompareListings(ListConfigurationAndTexts(first), ListConfigurationAndTexts(second));
}

}  // namespace tarvo::shell
