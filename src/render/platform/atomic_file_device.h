// A Qt output device over the all-or-nothing file writer, for Qt's
// writers that want a QIODevice (the PDF and SVG writers). Their many small
// writes are passed on in large pieces; the first failed write is kept and
// everything after it refused, so that a document can be given up as soon
// as the disk is full.
#pragma once

#include <QByteArray>
#include <QIODevice>

namespace lineara {

class AtomicFileWriter;

class AtomicFileDevice : public QIODevice {
public:
    explicit AtomicFileDevice(AtomicFileWriter& file) : file_(file) {}
    bool failed() const { return failed_; }
    // Passes on what is held back; false once any write has failed.
    bool flushBuffer();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    static constexpr qsizetype kChunk = 1 << 20;
    AtomicFileWriter& file_;
    QByteArray buffer_;
    bool failed_ = false;
};

}  // namespace lineara
