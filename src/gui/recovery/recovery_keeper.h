// Keeps a copy of the modified tree in the recovery files, so that a crash,
// a kill or a power cut costs at most the last few minutes of work.
//
// The copy is written every few minutes and when the program loses the
// focus, but only when the tree changed since the last copy. The window's
// thread only copies the records into a buffer kept for the purpose, which
// is a plain copy of memory; everything slow happens on a worker thread
// that sees nothing but that buffer: making the buffer (its memory touched
// once, before the window copies into it) and writing it to disk, which
// may take long on a slow or full disk. Once the tree is saved, or back at
// its saved state, the copy has nothing to keep and goes, and so does the
// buffer.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "core/platform/recovery_store.h"

namespace lineara {

class Document;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // `folder` empty: the keeper does nothing at all.
    RecoveryKeeper(Document& doc, const QString& folder, QObject* parent = nullptr);
    ~RecoveryKeeper() override;  // waits for the worker

    // Minutes between copies; 0 turns the copies off (and removes the last).
    void setIntervalMinutes(int minutes);
    int intervalMinutes() const { return minutes_; }
    // Told of every change of the history; back at the saved state (or
    // after New or Open) the copy goes.
    void treeChanged();
    // The tree was written to its file.
    void treeSaved();
    // The program lost the focus.
    void focusLost() { writeIfChanged(); }
    // Starts a copy when the tree is modified and changed since the last
    // one; one under way is followed by another when it ends.
    void writeIfChanged();
    // Waits until the copy asked for is on disk (or has failed).
    void waitForWrite();
    // Waits for the worker, then removes the copy (a normal exit).
    void discard();

    RecoverySession* session() { return session_.get(); }
    // Where a failed copy is reported, once until a copy succeeds again.
    void setWarning(std::function<void(const QString&)> warn) { warn_ = std::move(warn); }
    // The window's time the last copy took, in milliseconds.
    double lastSnapshotMs() const { return lastSnapshotMs_; }

signals:
    // A copy ended; `ok` false when it could not be written.
    void writeFinished(bool ok);

private:
    struct Buffer {
        std::unique_ptr<uint8_t[]> bytes;
        size_t capacity = 0;
    };
    // What the worker did, read by the window's thread after joining it.
    struct Outcome {
        enum Kind { None, Prepared, Written, Failed } kind = None;
        QString error;
        quint64 generation = 0;
    };
    void startPrepare(size_t capacity);
    void startWrite();
    void afterWorker();
    // Joins the worker and acts on what it did.
    void settle();

    Document& doc_;
    std::unique_ptr<RecoverySession> session_;
    QTimer timer_;
    int minutes_ = 0;
    // Counts the changes; the copy on disk holds `writtenGeneration_`.
    quint64 generation_ = 1;
    quint64 writtenGeneration_ = 0;
    Buffer buffer_;
    Buffer prepared_;  // the worker's, until settled
    size_t size_ = 0;  // of the copy in the buffer
    Outcome outcome_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    bool pending_ = false;
    bool warned_ = false;
    double lastSnapshotMs_ = 0;
    std::function<void(const QString&)> warn_;
};

}  // namespace lineara
