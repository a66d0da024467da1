#include "core/gedcom/gedzip_writer.h"

#include <zip.h>

#include "core/gedcom/gedcom7_media.h"
#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

// Pictures are compressed already: deflating them again costs time and
// wins nothing.
bool storedAsIs(const std::string& name) {
    const std::string type = pictureMediaType(name);
    return type == "image/jpeg" || type == "image/png" || type == "image/gif" ||
           type == "image/webp";
}

std::string zipError(zip_t* archive) { return zip_strerror(archive); }

bool add(zip_t* archive, const std::string& name, std::string_view bytes, bool store,
         std::string& error) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (source == nullptr) {
        error = zipError(archive);
        return false;
    }
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        error = zipError(archive);
        return false;
    }
    if (store &&
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0) {
        error = zipError(archive);
        return false;
    }
    return true;
}

// The archive made in memory, as bytes; false with the reason on failure.
bool buildArchive(std::string_view gedcom, const std::vector<GedzipEntry>& entries,
                  std::string& bytes, std::string& error) {
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    if (memory == nullptr) {
        error = zip_error_strerror(&zerr);
        zip_error_fini(&zerr);
        return false;
    }
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &zerr);
    if (archive == nullptr) {
        error = zip_error_strerror(&zerr);
        zip_error_fini(&zerr);
        zip_source_free(memory);
        return false;
    }
    zip_error_fini(&zerr);
    // The memory source outlives the archive: the bytes are read from it
    // after the archive is closed.
    zip_source_keep(memory);
    bool ok = add(archive, "gedcom.ged", gedcom, false, error);
    for (size_t i = 0; ok && i < entries.size(); ++i) {
        ok = add(archive, entries[i].name, entries[i].bytes, storedAsIs(entries[i].name), error);
    }
    if (!ok) {
        zip_discard(archive);
        zip_source_free(memory);
        return false;
    }
    if (zip_close(archive) != 0) {
        error = zipError(archive);
        zip_discard(archive);
        zip_source_free(memory);
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(memory, &st) != 0 || zip_source_open(memory) != 0) {
        error = zip_error_strerror(zip_source_error(memory));
        zip_source_free(memory);
        return false;
    }
    bytes.resize(static_cast<size_t>(st.size));
    const zip_int64_t read = zip_source_read(memory, bytes.data(), st.size);
    zip_source_close(memory);
    zip_source_free(memory);
    if (read < 0 || static_cast<zip_uint64_t>(read) != st.size) {
        error = "the archive could not be read back from memory";
        return false;
    }
    return true;
}

}  // namespace

bool writeGedzip(const std::string& path, std::string_view gedcom,
                 const std::vector<GedzipEntry>& entries, std::string& error) {
    // The target is checked first: a name that cannot be written is told
    // before the work of packing.
    {
        AtomicFileWriter probe;
        if (!probe.probe(path)) {
            error = probe.error();
            return false;
        }
    }
    std::string bytes;
    if (!buildArchive(gedcom, entries, bytes, error)) {
        error = "The GEDZIP archive could not be made: " + error;
        return false;
    }
    return writeFileAtomically(path, bytes.data(), bytes.size(), error);
}

}  // namespace lineara
