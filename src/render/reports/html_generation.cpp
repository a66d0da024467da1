#include "render/reports/html_generation.h"

#include "core/search/list_text.h"
#include "core/settings/settings.h"
#include "render/reports/html_images.h"

namespace lineara {

HtmlJob htmlJobFor(const RecordCodec& codec) {
    HtmlJob job;
    job.treeCodePage = codec.codePage();
    job.versionText = kVersionText;
    job.webAddress = kHomePageAddress;
    job.indexLess = readersOrder(codec.codePage());
    return job;
}

HtmlResult generateHtml(const PersonList& list, const HtmlJob& job, const RecordCodec& codec,
                        GifDither dither, const std::function<void(const QString&)>& warn,
                        HtmlProgress* progress) {
    HtmlImageWriter images(job.settings, codec, dither, warn);
    return generateHtmlPresentation(list, job, images, progress);
}

}  // namespace lineara
