#pragma once

#include "platform/qt/qt_text.h"

namespace tarvo::gui {

using platform::qt::ToQt;

}  // namespace tarvo::gui
