#include "render/printing/page_target.h"

#include <cmath>

namespace lineara {

QPainter* ImagePages::nextPage() {
    if (painter_) painter_->end();
    QImage page(page_, QImage::Format_RGB32);
    if (page.isNull()) return nullptr;
    page.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi_ / 0.0254));
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    pages_.push_back(std::move(page));
    painter_ = std::make_unique<QPainter>(&pages_.back());
    return painter_.get();
}

bool ImagePages::finish() {
    if (painter_) painter_->end();
    painter_.reset();
    return true;
}

}  // namespace lineara
