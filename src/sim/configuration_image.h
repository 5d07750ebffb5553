#pragma once

#include <string>

#include "model/parameter_set.h"
#include "sim/device_model.h"

namespace tarvo::sim {

// Puts a configuration into the device as the device holds it, so that reading the device gives
// it back as far as the protocol carries it. The configuration must be of the device's variant;
// its channel and node counts become the device's.
bool LoadConfiguration(DeviceModel& device, const model::ParameterSet& set, std::string& message);

// What the program reads out of the device. The port and speed of set are kept.
bool ReadConfiguration(const DeviceModel& device, model::ParameterSet& set, std::string& message);

}  // namespace tarvo::sim
