#include "shell/configuration_check.h"

#include <memory>

#include "forms/form.h"
#include "forms/form_messages.h"
#include "shell/capturing_ui.h"

namespace tarvo::shell {

namespace {

std::string CodeOf(const forms::Form& form, int row) {
  return row >= 0 ? form.Rows()[static_cast<std::size_t>(row)].code : std::string();
}

// Submits the form with its messages held back. A refusal is listed with its first message; the
// start-of-counting demands are listed all, one line each, since the user fixes them together.
void Judge(forms::Form& form, const Refusal& named, std::vector<Refusal>& refusals) {
  CapturingUi ui;
  const forms::Verdict verdict = form.Submit(ui);
  if (verdict.accepted) return;
  const bool demanded = ui.first && ui.first->caption == forms::kStartErrorCaption;
  if (!demanded) {
    Refusal refusal = named;
    refusal.code = CodeOf(form, verdict.row);
    if (ui.first) {
      refusal.caption = ui.first->caption;
      refusal.message = ui.first->text;
    }
    refusals.push_back(std::move(refusal));
  }
  for (forms::Demand& demand : form.UnmetDemands()) {
    Refusal refusal = named;
    refusal.code = CodeOf(form, demand.row);
    refusal.caption = forms::kStartErrorCaption;
    refusal.message = std::move(demand.message);
    refusals.push_back(std::move(refusal));
  }
}

}  // namespace

std::vector<Refusal> CheckConfiguration(const model::ParameterSet& set, StartCheck start) {
  std::vector<Refusal> refusals;
  // Every form gets a fresh copy, as if it alone were opened on the configuration: what one form
  // commits when it accepts is seen by no other, and nothing reaches the set.
  const auto copy = std::make_unique<model::ParameterSet>();
  const auto freshCopy = [&]() -> model::ParameterSet& {
    *copy = set;
    if (start == StartCheck::On) copy->checkForStart = 1;
    return *copy;
  };
  for (const FormTarget& target : AllFormTargets(set)) {
    std::string message;
    const std::string title = FormTitle(target, set);
    auto page = MakeForm(freshCopy(), target, message);
    if (!page) continue;
    page->Fill();
    Judge(*page, {target, {}, FormName(target), title, {}, {}, {}}, refusals);

    // The dialogs behind the page's buttons, opened from a page that has not been left.
    auto owner = MakeForm(freshCopy(), target, message);
    owner->Fill();
    CapturingUi opening;
    for (const auto& dialog : forms::OpenDialogs(*owner, opening)) {
      Judge(*dialog.form,
            {target,
             dialog.buttonId,
             FormName(target) + "/" + dialog.buttonId,
             title + " — " + dialog.form->title,
             {},
             {},
             {}},
            refusals);
    }
  }
  return refusals;
}

}  // namespace tarvo::shell
