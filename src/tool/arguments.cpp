#include "tool/arguments.h"

#include <cstring>

namespace lineara::tool {

std::optional<std::string> CommandLine::value(const std::string& option) const {
    auto it = options_.find(option);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::string CommandDefinition::synopsis() const {
    std::string text = name;
    if (arguments != nullptr && *arguments != '\0') text += std::string(" ") + arguments;
    for (const OptionDefinition& o : options) {
        text += std::string(" [") + o.name;
        if (o.valueName != nullptr) text += std::string(" ") + o.valueName;
        text += "]";
    }
    return text;
}

void CommandDefinition::printHelp(std::ostream& to) const {
    to << "usage: lineara-tool " << synopsis() << "\n\n" << summary << '\n';
    if (options.empty()) return;
    to << "\noptions:\n";
    for (const OptionDefinition& o : options) {
        std::string left = o.name;
        if (o.valueName != nullptr) left += std::string(" ") + o.valueName;
        to << "  " << left;
        to << std::string(left.size() < 28 ? 28 - left.size() : 1, ' ') << o.help << '\n';
    }
    to << "  -h, --help                  show this text\n";
}

namespace {

const OptionDefinition* findOption(const CommandDefinition& command, const std::string& name) {
    for (const OptionDefinition& o : command.options) {
        if (name == o.name) return &o;
    }
    return nullptr;
}

bool isOption(const std::string& word) { return word.size() > 2 && word.compare(0, 2, "--") == 0; }

}  // namespace

ArgumentReader::Outcome ArgumentReader::read(const CommandDefinition& command,
                                             const std::vector<std::string>& args,
                                             CommandLine& line, std::string& error) {
    line = CommandLine();
    line.command_ = &command;
    // Asking for help wins over any mistake elsewhere on the line.
    for (const std::string& word : args) {
        if (word == "--") break;
        if (word == "--help" || word == "-h") return Outcome::Help;
    }
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || !isOption(word)) {
            if (!optionsEnded && word == "--") {
                optionsEnded = true;
                continue;
            }
            line.positional_.push_back(word);
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const OptionDefinition* option = findOption(command, name);
        if (option == nullptr) {
            error = "unknown option " + name;
            return Outcome::UsageError;
        }
        if (option->valueName == nullptr) {
            if (equals != std::string::npos) {
                error = name + " takes no value";
                return Outcome::UsageError;
            }
            line.options_[name].clear();
        } else if (equals != std::string::npos) {
            line.options_[name] = word.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            line.options_[name] = args[++i];
        } else {
            error = name + " needs a value (" + option->valueName + ")";
            return Outcome::UsageError;
        }
    }
    const size_t count = line.positional_.size();
    if (count < command.minPositional) {
        error = "too few arguments";
        return Outcome::UsageError;
    }
    if (command.maxPositional != CommandDefinition::kAny && count > command.maxPositional) {
        error = "too many arguments";
        return Outcome::UsageError;
    }
    return Outcome::Run;
}

}  // namespace lineara::tool
