#include "render/reports/html_images.h"

#include <QByteArray>
#include <QPainter>
#include <QPoint>

#include "render/painter/line_raster.h"
#include "render/pictures/picture_loader.h"
#include "render/reports/jpeg_writer.h"
#include "render/reports/picture_reduce.h"

namespace lineara {

const char kGifFallbackMessage[] = "Could not convert picture to GIF format";

namespace {

constexpr PictureSize kPictureFrame{193, 193};
// Boxes drawn ahead of the encoders: enough to keep both busy, few enough
// that a huge tree is never held in memory as images.
constexpr uint64_t kMaxPending = 16;

std::string outputPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace

HtmlImageWriter::HtmlImageWriter(const HtmlSettings& settings, const RecordCodec& codec,
                                 GifDither dither, Message message, int threads)
    : look_(htmlBoxLook(settings)), codec_(codec), dither_(dither), message_(std::move(message)) {
    for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { work(); });
}

HtmlImageWriter::~HtmlImageWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

bool HtmlImageWriter::writeSharedImages(const std::string& outputFolder) {
    waitIdle();
    std::string ignored;
    files_.commit(ignored);  // what an unfinished generation left
    {
        std::lock_guard<std::mutex> lock(mutex_);
        failed_ = false;
        error_.clear();
    }
    // A white surface whose white is transparent: the spacer.
    QImage image = newHtmlBoxImage();
    if (!putSharedGif(image, outputPath(outputFolder, "blank.gif"))) return false;
    // On the same surface a silver arrow pointing up, its tip at (70,10),
    // its shaft ending at y = 40; 60..80 x 10..41 is the clickable part.
    // The outline takes every corner, as the boxes' lines do.
    const QPoint arrow[] = {{70, 10}, {60, 30}, {67, 30}, {67, 40}, {73, 40}, {73, 30}, {80, 30}};
    constexpr int kCorners = 7;
    {
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
        painter.drawPolygon(arrow, kCorners);
        for (int i = 0; i < kCorners; ++i) {
            const QPoint from = arrow[i], to = arrow[(i + 1) % kCorners];
            forEachLineRun(from.x(), from.y(), to.x(), to.y(), kSolidLine, image.width(),
                           image.height(), [&](const LineRun& run) {
                               painter.fillRect(run.x, run.y, run.horizontal ? run.length : 1,
                                                run.horizontal ? 1 : run.length, Qt::black);
                           });
        }
    }
    return putSharedGif(image, outputPath(outputFolder, "arrow.gif"));
}

bool HtmlImageWriter::putSharedGif(const QImage& image, const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!encodeGif(image, dither_, true, &bytes, &why)) {
        failWith(fileErrorMessage("Cannot write file", path, why));
        return false;
    }
    return put(path, bytes);
}

bool HtmlImageWriter::put(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string why;
    if (files_.write(path, bytes.data(), bytes.size(), why)) return true;
    failWith(why);
    return false;
}

HtmlImageSink::PersonImages HtmlImageWriter::writePersonImages(const PersonRecord& person,
                                                               const std::string& id,
                                                               const std::string& picturePath,
                                                               const std::string& outputFolder) {
    PersonImages result;
    deliverMessages();
    if (failed()) {
        result.ok = false;
        return result;
    }
    Job job;
    job.person = person;
    // A picture that cannot be read is left out, and the generation says
    // why; its size after fitting comes from its header, so the page can be
    // written now.
    if (!picturePath.empty()) {
        job.picture = readPictureSource(picturePath, kPictureFrame);
        result.pictureProblem = job.picture.problem;
        if (job.picture.usable()) {
            result.hasPicture = true;
            result.pictureWidth = job.picture.fitted.width;
            result.pictureHeight = job.picture.fitted.height;
            job.picturePath = outputPath(outputFolder, "pict" + id + ".jpg");
        }
    }
    job.gifPath = outputPath(outputFolder, id + ".gif");

    if (workers_.empty()) {
        commit(job, encode(job));
        deliverMessages();
    } else {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return nextSequence_ - nextCommit_ < kMaxPending; });
        job.sequence = nextSequence_++;
        queue_.push_back(std::move(job));
        lock.unlock();
        changed_.notify_all();
    }
    result.ok = !failed();
    return result;
}

bool HtmlImageWriter::finish() {
    waitIdle();
    deliverMessages();
    // The last group takes its names; leftovers of killed runs go.
    std::string why;
    if (!files_.commit(why)) failWith(why);
    return !failed();
}

std::string HtmlImageWriter::error() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

void HtmlImageWriter::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        // After a failure the generation has ended: nothing more is written.
        Encoded encoded = failed() ? Encoded() : encode(job);
        // The files go out in person order. A worker does not wait for its
        // turn (a person with a picture takes far longer than one without,
        // and the other worker would stand idle behind it): it leaves its
        // result, and whichever worker finds the next one ready writes all
        // that are ready in a row.
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const uint64_t sequence = job.sequence;
            ready_.emplace(sequence, Ready{std::move(job), std::move(encoded)});
            if (committing_) continue;
            committing_ = true;
        }
        for (;;) {
            Ready next;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                auto found = ready_.find(nextCommit_);
                if (found == ready_.end()) {
                    committing_ = false;
                    break;
                }
                next = std::move(found->second);
                ready_.erase(found);
            }
            commit(next.job, next.encoded);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                ++nextCommit_;
            }
            changed_.notify_all();
        }
    }
}

HtmlImageWriter::Encoded HtmlImageWriter::encode(const Job& job) const {
    Encoded encoded;
    encoded.box = newHtmlBoxImage();
    drawHtmlPersonBox(encoded.box, job.person, look_, codec_);
    if (!job.picturePath.empty()) {
        QImage reduced = reducePicture(job.picture);
        // Its header was good but its data is not: the page already shows
        // a picture of this size, so a plain grey one stands in for it.
        if (reduced.isNull()) {
            reduced =
                QImage(job.picture.fitted.width, job.picture.fitted.height, QImage::Format_RGB32);
            reduced.fill(QColor(0xC0, 0xC0, 0xC0));
        }
        if (encodeJpeg(reduced, kHtmlJpegQuality, &encoded.picture, nullptr))
            drawHtmlThumbnail(encoded.box, reduced);
        else
            encoded.picture.clear();
    }
    encoded.ok = encodeBox(encoded.box, &encoded.bytes);
    return encoded;
}

bool HtmlImageWriter::encodeBox(const QImage& box, std::vector<uint8_t>* out) const {
    return encodeGif(box, dither_, false, out, nullptr);
}

void HtmlImageWriter::commit(const Job& job, const Encoded& encoded) {
    if (failed()) return;
    // The page already shows the reduced picture: one that cannot be
    // written ends the generation, as a page that cannot be written does.
    if (!encoded.picture.empty() && !put(job.picturePath, encoded.picture)) return;
    if (encoded.ok) {
        put(job.gifPath, encoded.bytes);
        return;
    }

    // The box could not be encoded. Once more with the thumbnail taken from
    // the reduced picture as written. A person without one goes straight on
    // to the last resort rather than ending the whole presentation.
    QImage box = encoded.box;
    if (!encoded.picture.empty()) {
        const QImage reloaded =
            decodePicture(QByteArray(reinterpret_cast<const char*>(encoded.picture.data()),
                                     qsizetype(encoded.picture.size())));
        if (!reloaded.isNull()) {
            drawHtmlThumbnail(box, reloaded);
            std::vector<uint8_t> bytes;
            if (encodeBox(box, &bytes)) {
                put(job.gifPath, bytes);
                return;
            }
        }
    }
    // The last resort: the box as JPEG under the GIF's name, which browsers
    // show all the same.
    std::vector<uint8_t> jpeg;
    std::string why;
    if (!encodeJpeg(box, kHtmlJpegQuality, &jpeg, &why)) {
        failWith(fileErrorMessage("Cannot write file", job.gifPath, why));
        return;
    }
    if (put(job.gifPath, jpeg)) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++pendingMessages_;
    }
}

void HtmlImageWriter::failWith(const std::string& why) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failed_) error_ = why;
    failed_ = true;
}

void HtmlImageWriter::waitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return nextCommit_ == nextSequence_; });
}

void HtmlImageWriter::deliverMessages() {
    int count = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        count = pendingMessages_;
        pendingMessages_ = 0;
    }
    for (int i = 0; i < count; ++i) {
        if (message_) message_(QString::fromLatin1(kGifFallbackMessage));
    }
}

bool HtmlImageWriter::failed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
}

}  // namespace lineara
