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
    std::string read(const std::string& key, const std::string& name, const std::string& fallback);
    // Creates the key when missing and stores the value. Returns false when
    // the file could not be written (the value is kept in memory).
    bool write(const std::string& key, const std::string& name, const std::string& value);

    // Key paths may start with a backslash ("\.html"), as absolute paths
    // do in the registry; leading and trailing backslashes are ignored. A
    // key exists when it was created or when a key below it exists.
    bool keyExists(const std::string& key) const;
    // Returns false when the file could not be written (the key is kept in
    // memory).
    bool createKey(const std::string& key);
    // A value as stored, without creating anything; the default value of a
    // key has the empty name.
    std::optional<std::string> value(const std::string& key, const std::string& name) const;

    const std::string& filePath() const { return filePath_; }
    // A store that is only looked at (by the command-line tool) keeps every
    // change in memory and never writes its file.
    void setReadOnly(bool on) { readOnly_ = on; }

private:
    struct Value {
        std::string name;  // as first spelled
        std::string text;
    };
    struct Key {
        std::string path;                     // as first spelled
        std::map<std::string, Value> values;  // by lower-case name
    };

    void load();
    bool save() const;
    // The key, created in memory when missing; `created` tells which.
    Key& ensureKey(const std::string& key, bool& created);

    std::string filePath_;
    bool readOnly_ = false;
    // Keys and value names compare without regard to case, as registry
    // keys do; they are looked up in lower case with the first spelling
    // kept for the file.
    std::map<std::string, Key> keys_;
};

}  // namespace lineara
