// The core's texts in the user's language. The core marks its fixed texts
// (messages, captions, the names of undo steps) with LINEARA_TRANSLATABLE
// under the context "Core" and hands them out as written; the program
// translates them where it shows them. A text that the core composed from
// parts (a message with a file name in it) matches no marked text and is
// shown as the core wrote it.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

namespace lineara {

constexpr char kCoreContext[] = "Core";

inline QString coreText(const char* text) {
    return QCoreApplication::translate(kCoreContext, text);
}

inline QString coreText(const std::string& text) { return coreText(text.c_str()); }

}  // namespace lineara
