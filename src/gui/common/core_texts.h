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

#include "core/history/step_names.h"

namespace lineara {

constexpr char kCoreContext[] = "Core";

inline QString coreText(const char* text) {
    return QCoreApplication::translate(kCoreContext, text);
}

inline QString coreText(const std::string& text) { return coreText(text.c_str()); }

// An undo step's name. The counted ones ("przesunięcie 3 osób") are made
// of a verb and a count, so they are put together again from their
// translated parts rather than looked up whole.
inline QString stepText(const std::string& name) {
    if (const auto counted = step_name::countedName(name)) {
        const QString verb = coreText(counted->verb);
        if (counted->count == 1) return coreText(step_name::kOnePerson).arg(verb);
        return coreText(step_name::kPersons).arg(verb).arg(counted->count);
    }
    return coreText(name);
}

}  // namespace lineara
