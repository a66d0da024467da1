// The settings store. The program keeps its settings as string values under
// keys with backslash-separated paths ("Software\Lineara"), the way it
// always has; here they live in one text file under the user's
// configuration folder. Every change is written to the file at once.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace lineara {

class Registry {
public:
    // Loads `filePath` if it exists; a missing or unreadable file is an
    // empty store.
    explicit Registry(std::string filePath);

    // The stored string, or `fallback` when the value is absent or empty.
    // Creates the key (not the value) when it is missing.
    std::string read(const std::string& key, const std::string& name,
                     const std::string& fallback);
    // Creates the key when missing and stores the value. Returns false when
    // the file could not be written (the value is kept in memory).
    bool write(const std::string& key, const std::string& name, const std::string& value);

    bool keyExists(const std::string& key) const;
    bool createKey(const std::string& key);
    // A value as stored, without creating anything; the default value of a
    // key has the empty name.
    std::optional<std::string> value(const std::string& key, const std::string& name) const;

    const std::string& filePath() const { return filePath_; }

private:
    bool save() const;

    std::string filePath_;
    // key -> (value name -> text). Keys compare without regard to case, as
    // registry keys do; they are stored in lower case with the first
    // spelling kept for the file.
    std::map<std::string, std::map<std::string, std::string>> keys_;
};

}  // namespace lineara
