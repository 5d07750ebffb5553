// Stand-ins for the form renderer so that the window links before the renderer is merged.
#include "app/gui/form_runner.h"
#include "app/gui/overview_widget.h"

namespace tarvo::gui {

void RunConfigurationForm(QWidget*, model::ConfigurationDocument&, platform::Ui&,
                          const FormPlace&) {}

OverviewWidget::OverviewWidget(QWidget* parent) : QWidget(parent) {}

void OverviewWidget::ShowConfiguration(const model::ParameterSet&) {}

void OverviewWidget::FocusFilter() {}

}  // namespace tarvo::gui
