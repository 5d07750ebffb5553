#include "shell/guarded_edit.h"

#include <memory>

namespace tarvo::shell {

void MarkModifiedIfChanged(model::ConfigurationDocument& document,
                           const model::ParameterSet& snapshot) {
  if (!document.Modified() && !document.Set().SameContent(snapshot)) document.SetModified(true);
}

FormResult GuardedEdit(model::ConfigurationDocument& document,
                       const std::function<FormResult(model::ParameterSet&)>& runForm) {
  // The set is large; the snapshot lives on the heap for the command's duration.
  const auto snapshot = std::make_unique<model::ParameterSet>(document.Set());
  const FormResult result = runForm(document.Set());
  if (result != FormResult::Ok) {
    document.Set() = *snapshot;
  } else {
    MarkModifiedIfChanged(document, *snapshot);
  }
  return result;
}

}  // namespace tarvo::shell
