#pragma once

#include <array>
#include <memory>

#include "forms/form.h"
#include "forms/system/system_form_spec.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// The modal form "Общесистемные параметры" of the set's variant. OK checks every row into a
// reset working copy and only then replaces the system-wide group of the set.
class SystemForm : public Form {
 public:
  SystemForm(model::ParameterSet& set, const SystemFormSpec& spec);

  void Fill() override;

 protected:
  bool Accept(platform::Ui& ui) override;

 private:
  // The visible row carrying a field, or null.
  const Row* RowOf(SystemField field) const;
  bool ShowsInterface2() const;
  bool CheckField(SystemField field, const Row& row, model::ParameterSet& working,
                  platform::Ui& ui) const;
  bool CheckMode(const Row& row, model::ParameterSet& working, platform::Ui& ui) const;
  bool CheckMeasuringInputs(const std::array<char, 8>& digits, platform::Ui& ui) const;
  bool CheckSms(int interfaceNumber, model::ParameterSet& working, platform::Ui& ui) const;

  model::ParameterSet& set_;
  const SystemFormSpec& spec_;
};

// The system-wide form of the set's variant; null when no configuration is loaded.
std::unique_ptr<SystemForm> MakeSystemForm(model::ParameterSet& set);

}  // namespace tarvo::forms
