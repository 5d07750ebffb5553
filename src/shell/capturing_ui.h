#pragma once

#include "forms/capturing_ui.h"

namespace tarvo::shell {

using forms::CapturedMessage;
using forms::CapturingUi;

}  // namespace tarvo::shell
