#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarvo::app {

struct OptionSpec {
  std::string name;  // "--exec", "-o"
  bool takesValue = false;
  std::string alias;  // another spelling, such as "--output" for "-o"
};

struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // by the option's name
  std::vector<std::string> flags;

  bool Has(const std::string& name) const;
  const std::string* Value(const std::string& name) const;
};

// Options may stand anywhere; "--name=value" and "--name value" both work; "--" ends options.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
               ParsedArgs& parsed, std::string& error);

}  // namespace tarvo::app
