#pragma once

namespace tarvo::platform {

// The application title; a message box with an empty caption shows it.
inline constexpr const char* kApplicationTitle = "TarvoConfig";

}  // namespace tarvo::platform
