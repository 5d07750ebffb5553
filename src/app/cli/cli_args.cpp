#include "app/cli/cli_args.h"

#include <algorithm>

namespace tarvo::app {

bool ParsedArgs::Has(const std::string& name) const {
  return values.count(name) > 0 || std::find(flags.begin(), flags.end(), name) != flags.end();
}

const std::string* ParsedArgs::Value(const std::string& name) const {
  const auto it = values.find(name);
  return it == values.end() ? nullptr : &it->second;
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
               ParsedArgs& parsed, std::string& error) {
  auto find = [&](const std::string& name) -> const OptionSpec* {
    for (const auto& spec : specs) {
      if (spec.name == name || (!spec.alias.empty() && spec.alias == name)) return &spec;
    }
    return nullptr;
  };

  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::string inlineValue;
    bool hasInlineValue = false;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
      hasInlineValue = true;
    }
    const OptionSpec* spec = find(name);
    if (spec == nullptr) {
      error = "неизвестный параметр " + name;
      return false;
    }
    if (!spec->takesValue) {
      if (hasInlineValue) {
        error = "параметр " + name + " не принимает значения";
        return false;
      }
      parsed.flags.push_back(spec->name);
      continue;
    }
    if (!hasInlineValue) {
      if (i + 1 >= args.size()) {
        error = "после " + name + " нужно значение";
        return false;
      }
      inlineValue = args[++i];
    }
    if (parsed.values.count(spec->name) > 0) {
      error = "параметр " + name + " задан дважды";
      return false;
    }
    parsed.values[spec->name] = inlineValue;
  }
  return true;
}

}  // namespace tarvo::app
