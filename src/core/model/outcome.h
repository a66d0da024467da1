// The result of a core operation that can fail in a way the user must hear
// about. The core never shows anything; the application turns `message`
// into a message box and the command-line tool prints it.
#pragma once

#include <string>
#include <utility>

namespace lineara {

struct Outcome {
    bool ok = true;
    std::string message;  // the text for the user when !ok

    static Outcome success() { return Outcome{}; }
    static Outcome failure(std::string text) { return Outcome{false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace lineara
