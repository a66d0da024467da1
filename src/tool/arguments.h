// The one argument reader of lineara-tool. Each command declares its
// positional arguments and options; the reader checks them, answers
// --help and -h with the command's usage, and hands the command what it
// found, so no command reads argv on its own.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lineara::tool {

struct CommandDefinition;

struct OptionDefinition {
    const char* name;       // "--pages"
    const char* valueName;  // "N"; nullptr for a flag
    const char* help;
};

// What the reader found on the command line of one command.
class CommandLine {
public:
    const std::vector<std::string>& positional() const { return positional_; }
    const std::string& operator[](size_t i) const { return positional_[i]; }
    size_t size() const { return positional_.size(); }
    bool has(const std::string& option) const { return options_.count(option) != 0; }
    // The command this line was read for.
    const CommandDefinition& command() const { return *command_; }
    // The value of an option given with one; the last one when repeated.
    std::optional<std::string> value(const std::string& option) const;

private:
    friend struct ArgumentReader;
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
    const CommandDefinition* command_ = nullptr;
};

struct CommandDefinition {
    const char* name;
    const char* arguments;  // "TREE.ln3 OUT.pdf", as the usage line shows them
    const char* summary;    // one line
    std::vector<OptionDefinition> options;
    size_t minPositional;
    size_t maxPositional;  // kAny for a list
    int (*run)(const CommandLine&);

    static constexpr size_t kAny = static_cast<size_t>(-1);
    // "print TREE.ln3 OUT.pdf [--pages N] [--portrait]"
    std::string synopsis() const;
    void printHelp(std::ostream& to) const;
};

struct ArgumentReader {
    enum class Outcome { Run, Help, UsageError };
    // Options may come before, between or after the positional arguments,
    // as --name VALUE or --name=VALUE; "--" ends the options. A lone "-"
    // and other words starting with one dash (a date such as "-1900")
    // are positional. `error` says what was wrong for a usage error.
    static Outcome read(const CommandDefinition& command, const std::vector<std::string>& args,
                        CommandLine& line, std::string& error);
};

}  // namespace lineara::tool
