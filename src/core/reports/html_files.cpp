#include "core/reports/html_files.h"

namespace lineara {

NotesRead readNotesLines(const std::string& path) {
    NamedFileRead file = readNamedFile(path, kNotesFileLimit, OverLimit::Cut);
    NotesRead notes;
    notes.problem = file.problem;
    const std::string& bytes = file.bytes;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            // A last line without its line end is a line only when the file
            // was read to its end; otherwise it was cut off.
            if (!file.complete) break;
            end = bytes.size();
        }
        size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        notes.lines.push_back(bytes.substr(start, stop - start));
        start = end + 1;
    }
    return notes;
}

std::string fileNamePart(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string addressPart(const std::string& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[u >> 4]);
            out.push_back(kHex[u & 15]);
        }
    }
    return out;
}

}  // namespace lineara
