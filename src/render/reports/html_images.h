// The images of the HTML presentation: the shared spacer and arrow, and for
// every person the box image, the reduced picture and its thumbnail.
//
// The calling thread only reads each picture file and its size from the
// header, which is all its page needs; drawing the box, reducing the
// picture and encoding both run on worker threads, while the calling
// thread goes on with the pages. The files are still written one after the
// other in the order the persons come, so the folder ends up as a single
// thread would leave it, also when a write fails half-way through the tree.
#pragma once

#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/atomic_file_batch.h"
#include "core/reports/html_presentation.h"
#include "render/platform/record_codec.h"
#include "render/reports/gif_writer.h"
#include "render/reports/html_box_image.h"
#include "render/reports/picture_reduce.h"

namespace lineara {

extern const char kGifFallbackMessage[];  // "Could not convert picture to GIF format"

class HtmlImageWriter : public HtmlImageSink {
public:
    using Message = std::function<void(const QString&)>;

    // `message` is told, on the calling thread, of every box that had to be
    // written as JPEG. `threads` encode the GIF files; with 0 everything is
    // done on the calling thread.
    HtmlImageWriter(const HtmlSettings& settings, const RecordCodec& codec, GifDither dither,
                    Message message, int threads = 2);
    ~HtmlImageWriter() override;
    HtmlImageWriter(const HtmlImageWriter&) = delete;
    HtmlImageWriter& operator=(const HtmlImageWriter&) = delete;

    bool writeSharedImages(const std::string& outputFolder) override;
    PersonImages writePersonImages(const PersonRecord& person, const std::string& id,
                                   const std::string& picturePath,
                                   const std::string& outputFolder) override;
    bool finish() override;

    // The first failure of the current generation (since writeSharedImages),
    // naming the file.
    std::string error() const;

protected:
    // The GIF file of a box; runs on the worker threads. Tests make it fail
    // to reach the fallbacks, which the real encoder meets only when memory
    // runs out.
    virtual bool encodeBox(const QImage& box, std::vector<uint8_t>* out) const;

private:
    struct Job {
        uint64_t sequence = 0;
        PersonRecord person;    // a copy: the box is drawn on a worker
        PictureSource picture;  // the person's picture file, when usable
        std::string gifPath;
        std::string picturePath;  // pict<id>.jpg, when the person has a picture
    };
    struct Encoded {
        bool ok = false;
        QImage box;  // as drawn, thumbnail included
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> picture;  // pict<id>.jpg
    };

    void work();
    Encoded encode(const Job& job) const;
    void commit(const Job& job, const Encoded& encoded);
    // Each writes one file of the presentation, or fails the generation
    // with the reason.
    bool put(const std::string& path, const std::vector<uint8_t>& bytes);
    // The spacer and the arrow: GIFs whose white is transparent.
    bool putSharedGif(const QImage& image, const std::string& path);
    void failWith(const std::string& why);
    void waitIdle();
    void deliverMessages();
    bool failed() const;

    HtmlBoxLook look_;
    RecordCodec codec_;
    GifDither dither_;
    Message message_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    uint64_t nextSequence_ = 0;
    uint64_t nextCommit_ = 0;
    // Results waiting for their turn to be written, by sequence; one
    // worker at a time writes them.
    struct Ready {
        Job job;
        Encoded encoded;
    };
    std::map<uint64_t, Ready> ready_;
    bool committing_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::string error_;
    int pendingMessages_ = 0;
    // Written by one thread at a time: the calling thread while no job is
    // out, or the worker writing results in order. The images are the
    // presentation's own files, as its pages are: links in their place are
    // replaced, leftovers of killed runs swept.
    AtomicFileBatch files_{256, LinkRule::ReplaceLink};
    std::vector<std::thread> workers_;
};

}  // namespace lineara
