#include "render/lists/list_text_files.h"

#include <QFile>

#include "core/platform/atomic_file.h"

namespace lineara {

Recode utf8From(const RecordCodec& codec) {
    return [&codec](std::string_view text) {
        const QByteArray utf8 = codec.decode(text).toUtf8();
        return std::string(utf8.constData(), size_t(utf8.size()));
    };
}

std::vector<std::string> personListText(const PersonList& list, const RecordCodec& codec) {
    return personListLines(list, readersOrder("UTF-8"), utf8From(codec));
}

std::vector<std::string> surnameListText(const PersonList& list, const RecordCodec& codec) {
    return surnameListLines(list, readersOrder("UTF-8"), utf8From(codec));
}

bool writeListFile(const QString& path, const std::vector<std::string>& lines, std::string& error) {
    const std::string text = joinLines(lines);
    return writeFileAtomically(QFile::encodeName(path).toStdString(), text.data(), text.size(),
                               error);
}

}  // namespace lineara
