#pragma once

#include <optional>
#include <string>

#include "model/document.h"

namespace tarvo::app {

// Why the file a long job ends with could not be written, checked before the job starts: its
// folder is missing or closed to writing, it is a folder, or it exists and force is not given.
// Nothing when it can be written.
std::optional<std::string> OutputFileRefusal(const std::string& path, bool force);

// Keeps a document whose own file could not be written: stores it under the file's name (with
// -2, -3... when taken) in the user's home folder or, failing that, the temporary folder.
// Returns the file written, nothing when neither took it.
std::optional<std::string> StoreInFallbackFolder(model::ConfigurationDocument& document,
                                                 const std::string& path);

}  // namespace tarvo::app
