#include "core/gedcom/gedzip_reader.h"

#include "core/gedcom/new_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace lineara {

namespace {

constexpr char kGedcomEntry[] = "gedcom.ged";

// Whether an entry's name may be unpacked: relative, made of plain parts,
// no part "." or "..", no backslash or drive letter that another system
// would take for a separator or a root.
bool safeEntryName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos) return false;
    if (name.size() >= 2 && name[1] == ':') return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        // A trailing slash names a folder: its empty last part is allowed.
        if (part.empty() && end != name.size()) return false;
        if (part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

bool isLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    return system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
}

// An entry's bytes, at most `limit` of them; false for one that holds
// more, whatever its header says.
bool readEntry(zip_t* archive, zip_uint64_t index, size_t limit, std::string& bytes,
               std::string& error) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (file == nullptr) {
        error = zip_strerror(archive);
        return false;
    }
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            error = zip_file_strerror(file);
            zip_fclose(file);
            return false;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<size_t>(n) > limit) {
            error = "an entry is larger than any picture or notes file may be";
            zip_fclose(file);
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    zip_fclose(file);
    return true;
}

GedzipUnpacked refused(std::string why) {
    GedzipUnpacked result;
    result.message = "The GEDZIP archive was refused: " + why + ".";
    return result;
}

}  // namespace

GedzipUnpacked unpackGedzip(const std::string& archivePath, const std::string& mediaFolder) {
    int code = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (archive == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        GedzipUnpacked result = refused(std::string("it cannot be read as a zip archive (") +
                                        zip_error_strerror(&error) + ")");
        zip_error_fini(&error);
        return result;
    }
    struct Closer {
        zip_t* a;
        ~Closer() { zip_discard(a); }
    } closer{archive};

    // Every entry is looked at before anything is written.
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    bool hasGedcom = false;
    uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        if (zip_stat_index(archive, index, 0, &st) != 0) return refused(zip_strerror(archive));
        const std::string name = st.name != nullptr ? st.name : "";
        if (!safeEntryName(name))
            return refused("the entry \"" + name + "\" would lie outside its folder");
        if (isLink(archive, index)) return refused("the entry \"" + name + "\" is a link");
        if (st.size > kGedzipEntryLimit) return refused("the entry \"" + name + "\" is too large");
        total += st.size;
        if (name == kGedcomEntry) hasGedcom = true;
    }
    if (!hasGedcom) return refused("it holds no gedcom.ged");
    if (total > kGedzipArchiveLimit) return refused("it unpacks to more than 1 GiB");

    GedzipUnpacked result;
    std::string error;
    std::string bytes;
    const zip_int64_t gedcomIndex = zip_name_locate(archive, kGedcomEntry, 0);
    if (!readEntry(archive, static_cast<zip_uint64_t>(gedcomIndex), kGedzipEntryLimit,
                   result.gedcom, error)) {
        return refused(error);
    }
    NewFilesWriter unpacker(mediaFolder);
    if (count > 1 && !unpacker.openFolder(error)) return refused(error);
    uint64_t unpacked = result.gedcom.size();
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        if (static_cast<zip_int64_t>(index) == gedcomIndex) continue;
        const std::string name = zip_get_name(archive, index, 0);
        const bool ok = readEntry(archive, index, kGedzipEntryLimit, bytes, error) &&
                        (unpacked += bytes.size()) <= kGedzipArchiveLimit &&
                        unpacker.write(name, bytes, error);
        if (!ok) {
            unpacker.undo();
            if (error.empty()) error = "it unpacks to more than 1 GiB";
            GedzipUnpacked failed = refused(error);
            return failed;
        }
        if (name.back() != '/') ++result.mediaFiles;
    }
    result.ok = true;
    result.written = unpacker.written();
    return result;
}

}  // namespace lineara
