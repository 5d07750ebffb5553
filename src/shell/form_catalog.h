#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "model/parameter_set.h"

namespace tarvo::shell {

// One form of a configuration: the system-wide form, a channel page or a node page.
struct FormTarget {
  enum class Kind { System, Channel, Node };
  Kind kind = Kind::System;
  int index = 0;  // 0-based channel or node

  bool operator==(const FormTarget&) const = default;
};

// "system", "channel 2", "node 1".
std::string FormName(const FormTarget& target);
// "Общесистемные параметры", "Канал учета 2", "Узел учета 1".
std::string FormTitle(const FormTarget& target, const model::ParameterSet& set);

// "system", "channel N", "node N" (N from 1) for the configuration; nothing when unknown.
std::optional<FormTarget> ParseFormName(const std::string& text, const model::ParameterSet& set,
                                        std::string& error);

// Every form of the configuration in order: system-wide, channels, nodes.
std::vector<FormTarget> AllFormTargets(const model::ParameterSet& set);

// The form for a target on the set (not yet filled); null with a message for a configuration
// not loaded (variant 0), which has no forms.
std::unique_ptr<forms::Form> MakeForm(model::ParameterSet& set, const FormTarget& target,
                                      std::string& message);

// The channel or node page a code belongs to by its shape (K105, K-05, K0312, П215 ...), when
// it names a channel or node of the configuration.
std::optional<FormTarget> PageOfCode(const model::ParameterSet& set, const std::string& code);

// A code as typed, with a Cyrillic "К" or a lower-case first letter read as the form's letter.
std::string NormalizeCode(const std::string& code);

}  // namespace tarvo::shell
