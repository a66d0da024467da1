#include "gui/recovery/recovery_keeper.h"

#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <cstring>
#include <new>

#include "core/model/document.h"

namespace lineara {

RecoveryKeeper::RecoveryKeeper(Document& doc, const QString& folder, QObject* parent)
    : QObject(parent), doc_(doc) {
    if (!folder.isEmpty()) {
        session_ = std::make_unique<RecoverySession>(QFile::encodeName(folder).toStdString());
    }
    // A coarse timer: a copy a second late does not matter, and the timer
    // counts on the monotonic clock, so a clock set back or forward neither
    // stops the copies nor fires a flood of them.
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeIfChanged);
}

RecoveryKeeper::~RecoveryKeeper() {
    if (worker_.joinable()) worker_.join();
}

void RecoveryKeeper::setIntervalMinutes(int minutes) {
    minutes_ = minutes < 0 ? 0 : minutes;
    if (minutes_ == 0 || !session_) {
        timer_.stop();
        discard();
        return;
    }
    timer_.start(minutes_ * 60 * 1000);
}

void RecoveryKeeper::treeChanged() {
    ++generation_;
    if (!doc_.treeModified()) discard();
}

void RecoveryKeeper::treeSaved() {
    if (!doc_.treeModified()) discard();
}

void RecoveryKeeper::writeIfChanged() {
    if (!session_ || minutes_ == 0 || !doc_.treeModified()) return;
    if (generation_ == writtenGeneration_) return;
    if (busy_) {
        pending_ = true;
        return;
    }
    settle();
    const size_t need = doc_.persons().count() * static_cast<size_t>(kRecordSize);
    if (buffer_.capacity < need) {
        // Room for the tree to grow before the next buffer is needed.
        startPrepare(need + need / 4 + static_cast<size_t>(kRecordSize));
        return;
    }
    startWrite();
}

void RecoveryKeeper::startPrepare(size_t capacity) {
    buffer_ = Buffer();
    busy_ = true;
    worker_ = std::thread([this, capacity] {
        Buffer made;
        made.bytes.reset(new (std::nothrow) uint8_t[capacity]);
        if (made.bytes) {
            // Touched here, so the window's copy does not wait for the
            // system to hand out the pages.
            std::memset(made.bytes.get(), 0, capacity);
            made.capacity = capacity;
            prepared_ = std::move(made);
            outcome_ = Outcome{Outcome::Prepared, QString(), 0};
        } else {
            outcome_ = Outcome{Outcome::Failed, tr("Not enough memory"), 0};
        }
        busy_ = false;
        QMetaObject::invokeMethod(
            this, [this] { afterWorker(); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::startWrite() {
    QElapsedTimer clock;
    clock.start();
    RecoveryDescription d;
    d.treeFile = doc_.currentFileName();
    d.writtenAt = std::chrono::duration_cast<std::chrono::seconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    d.persons = static_cast<int64_t>(doc_.persons().count());
    size_ = doc_.persons().count() * static_cast<size_t>(kRecordSize);
    doc_.copyTreeBytes(buffer_.bytes.get());
    lastSnapshotMs_ = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    const quint64 generation = generation_;
    const uint8_t* bytes = buffer_.bytes.get();
    const size_t size = size_;
    RecoverySession* session = session_.get();
    busy_ = true;
    // The buffer is the worker's alone until it is joined: the window's
    // thread only copies into it again after settle().
    worker_ = std::thread([this, session, bytes, size, d, generation]() mutable {
        // Looking at the tree file on disk may wait on a slow mount.
        noteTreeFileState(d);
        std::string error;
        const bool ok = session->write(bytes, size, d, error);
        outcome_ = Outcome{ok ? Outcome::Written : Outcome::Failed, QString::fromStdString(error),
                           generation};
        busy_ = false;
        // The keeper joins this thread before it goes, so it is still there
        // when the call is queued; Qt drops the call if it has gone by the
        // time the window's thread gets to it.
        QMetaObject::invokeMethod(
            this, [this] { afterWorker(); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::afterWorker() {
    settle();
    if (pending_) {
        pending_ = false;
        writeIfChanged();
    }
}

void RecoveryKeeper::settle() {
    if (worker_.joinable()) worker_.join();
    const Outcome outcome = outcome_;
    outcome_ = Outcome();
    switch (outcome.kind) {
    case Outcome::None:
        return;
    case Outcome::Prepared:
        buffer_ = std::move(prepared_);
        pending_ = true;  // the copy the buffer was made for
        return;
    case Outcome::Written:
        warned_ = false;
        if (outcome.generation > writtenGeneration_) writtenGeneration_ = outcome.generation;
        // Saved, or undone to the saved state, while the copy was written:
        // it is out of date already.
        if (!doc_.treeModified()) discard();
        emit writeFinished(true);
        return;
    case Outcome::Failed:
        if (!warned_ && warn_) {
            warn_(tr("Nie można zapisać kopii do odzyskania: ") + outcome.error);
        }
        warned_ = true;
        emit writeFinished(false);
        return;
    }
}

void RecoveryKeeper::waitForWrite() {
    for (;;) {
        settle();
        if (!pending_) return;
        pending_ = false;
        writeIfChanged();
    }
}

void RecoveryKeeper::discard() {
    settle();
    pending_ = false;
    buffer_ = Buffer();
    if (session_) session_->remove();
}

}  // namespace lineara
