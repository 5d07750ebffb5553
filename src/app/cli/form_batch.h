#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "model/parameter_set.h"
#include "platform/ui.h"
#include "shell/form_catalog.h"

namespace tarvo::app {

// The command-line tool names forms as the shell's catalogue does.
using shell::AllFormTargets;
using shell::FormName;
using shell::FormTarget;
using shell::FormTitle;
using shell::MakeForm;
using shell::NormalizeCode;
using shell::PageOfCode;
using shell::ParseFormName;

// The forms one tarvo set goes through, as the user would: each form filled from the set, the
// dialogs behind a page's buttons opened before the page is left, every form that received a
// value confirmed or left in order.
class FormBatch {
 public:
  // A form of the configuration, filled here.
  void Add(const FormTarget& target, std::unique_ptr<forms::Form> form, platform::Ui& ui);
  // Enters the value into the row that shows the code; false with a message when no form shows
  // it or the value does not fit the row.
  bool Enter(const std::string& code, const std::string& value, const model::ParameterSet& set,
             std::string& message);
  // Confirms or leaves every form a value went into, in order (a dialog before its page);
  // false at the first refusal, whose message the form has shown.
  bool AcceptInvolved(platform::Ui& ui);

 private:
  struct Slot {
    FormTarget target;
    std::unique_ptr<forms::Form> form;
    bool involved = false;
    int owner = -1;  // a dialog behind a button: the slot of its page
  };
  std::vector<Slot> slots_;
};

}  // namespace tarvo::app
