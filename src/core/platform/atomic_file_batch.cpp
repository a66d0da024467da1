#include "core/platform/atomic_file_batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace lineara {

AtomicFileBatch::~AtomicFileBatch() {
    std::string error;
    commit(error);
}

bool AtomicFileBatch::write(const std::string& path, const void* data, size_t size,
                            std::string& error) {
    AtomicFileWriter file;
    if (!file.open(path, rule_) || !file.write(data, size)) {
        error = file.error();
        return false;
    }
    if (file.inPlace()) {
        // A device or pipe: nothing to rename.
        if (file.commit()) return true;
        error = file.error();
        return false;
    }
    Pending p;
    p.target = path;
    if (!file.closeForBatch(p.temp, p.real, p.lock)) {
        error = file.error();
        return false;
    }
    pending_.push_back(std::move(p));
    if (pending_.size() >= groupSize_) return flush(error);
    return true;
}

// Puts the data of the pending files on disk with one flush of their file
// system, then renames each over its target.
bool AtomicFileBatch::flush(std::string& error) {
    if (pending_.empty()) return true;
    bool ok = true;
    std::map<dev_t, bool> syncedDevices;  // one flush per file system
    for (Pending& p : pending_) {
        struct stat st;
        bool synced = false;
        if (p.lock >= 0 && fstat(p.lock, &st) == 0) {
            auto device = syncedDevices.find(st.st_dev);
            if (device == syncedDevices.end()) {
                device = syncedDevices.emplace(st.st_dev, syncfs(p.lock) == 0).first;
            }
            synced = device->second;
        }
        // Without the shared flush each file goes to disk on its own,
        // through the descriptor that holds its lock.
        bool onDisk = synced || (p.lock >= 0 && fdatasync(p.lock) == 0);
        int syncError = p.lock >= 0 ? errno : EBADF;
        if (ok && !onDisk) {
            error = fileErrorMessage("Cannot write file", p.target, syncError);
            ok = false;
        }
        if (onDisk && rename(p.temp.c_str(), p.real.c_str()) == 0) {
            written_.insert(p.real);
        } else {
            if (ok && onDisk) error = fileErrorMessage("Cannot create file", p.target, errno);
            if (onDisk) ok = false;
            unlink(p.temp.c_str());
        }
        if (p.lock >= 0) close(p.lock);
    }
    pending_.clear();
    return ok;
}

bool AtomicFileBatch::commit(std::string& error) {
    bool ok = flush(error);
    std::map<std::string, std::set<std::string>> byFolder;
    for (const std::string& real : written_) byFolder[folderOf(real)].insert(nameOf(real));
    for (const auto& [folder, names] : byFolder) finishFolder(folder, names);
    written_.clear();
    return ok;
}

}  // namespace lineara
