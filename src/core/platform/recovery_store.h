// The files that keep a modified tree alive when the program dies before
// it is saved. Each running program has one session in the recovery folder:
//   <id>.lock  held locked (flock) for as long as the program runs
//   <id>.ln3   the tree's bytes, exactly as a save would write them
//   <id>.desc  a few lines saying whose tree it is (see RecoveryDescription)
// The tree and its description are each written whole or not at all, and
// readable by the user alone. Whatever is left in the folder without a
// held lock belongs to a program that no longer runs: the next start
// offers it (findLeftRecoveries).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace lineara {

// $XDG_STATE_HOME/lineara/recovery, or ~/.local/state/lineara/recovery when
// the variable is unset, empty or not an absolute path (as the base
// directory rules say). "" when neither gives a folder.
std::string recoveryFolderFrom(const char* xdgStateHome, const char* home);

struct RecoveryDescription {
    std::string treeFile;   // the tree's own file; "" for an untitled tree
    int64_t writtenAt = 0;  // seconds since the epoch, as the clock said
    int64_t persons = 0;
    // The tree file as it was on disk when the recovery was written, so a
    // later start can tell whether someone has changed it since.
    bool treeFileSeen = false;
    int64_t treeFileSize = 0;
    int64_t treeFileMtimeNs = 0;
};

// "key=value" lines; unknown keys are skipped so later versions may add
// some. parse is false for text that lacks the mandatory keys.
std::string formatDescription(const RecoveryDescription& d);
bool parseDescription(const std::string& text, RecoveryDescription& d);
// Fills treeFileSeen/Size/MtimeNs from the file on disk.
void noteTreeFileState(RecoveryDescription& d);

// One running program's recovery files. write() may run on a worker thread
// while the owner does nothing else with the session but wait for it.
class RecoverySession {
public:
    explicit RecoverySession(std::string folder);
    ~RecoverySession();  // removes the lock file; the tree files stay only if never removed
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    // Writes the tree, then its description. The folder is created (0700)
    // and the lock taken on the first write, so a folder that could not be
    // made is tried again next time. False with the reason in `error`; the
    // files of the previous write are then left as they were.
    bool write(const uint8_t* tree, size_t size, const RecoveryDescription& d, std::string& error);
    // Removes the tree and the description (nothing to keep any more).
    void remove();
    bool hasFiles() const;

    const std::string& folder() const { return folder_; }
    std::string treePath() const;
    std::string descriptionPath() const;
    std::string lockPath() const;

private:
    bool takeLock(std::string& error);

    mutable std::mutex mutex_;
    std::string folder_;
    std::string id_;
    int lockFd_ = -1;
    bool written_ = false;
};

// A recovery left by a program that no longer runs. While this object
// lives it holds the lock, so another program starting now does not offer
// the same files.
class LeftRecovery {
public:
    LeftRecovery() = default;
    ~LeftRecovery();
    LeftRecovery(LeftRecovery&& other) noexcept;
    LeftRecovery& operator=(LeftRecovery&& other) noexcept;
    LeftRecovery(const LeftRecovery&) = delete;
    LeftRecovery& operator=(const LeftRecovery&) = delete;

    std::string treePath;
    std::string descriptionPath;
    RecoveryDescription description;
    // Empty when usable; else why the files cannot be restored.
    std::string damage;
    bool damaged() const { return !damage.empty(); }

    enum class TreeFileNow { Untitled, Unchanged, Changed, Deleted };
    // How the tree's own file stands now against what the description saw.
    TreeFileNow treeFileNow() const;

    // Removes the files for good (the user discarded them, or they were
    // restored and are kept again by the new session).
    void discard();
    // Renames the files to "<name>.damaged-<seconds>", out of the way of
    // later starts but still there for someone to look at. False with the
    // reason when a rename failed.
    bool moveAside(std::string& error);
    // Lets go of the lock and keeps the files for the next start.
    void release();

private:
    friend std::vector<LeftRecovery> findLeftRecoveries(const std::string& folder);
    std::string lockPath_;
    int lockFd_ = -1;
};

// Every recovery in `folder` whose program is gone, oldest write first; a
// tree file without a description, or a description that does not read,
// comes back damaged. None for a missing folder.
std::vector<LeftRecovery> findLeftRecoveries(const std::string& folder);

}  // namespace lineara
