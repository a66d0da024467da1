#include "gui/reports/html_generation.h"

#include <QCollator>
#include <QLocale>
#include <memory>
#include <unordered_map>

#include "core/settings/settings.h"
#include "gui/app/help_commands.h"
#include "gui/reports/html_images.h"

namespace lineara {

std::function<bool(const std::string&, const std::string&)> htmlIndexOrder(
    const RecordCodec& codec) {
    // The sort compares every line with many others: each line's sort key
    // is made once.
    struct Keys {
        QCollator collator{QLocale()};
        std::unordered_map<std::string, QCollatorSortKey> byLine;
    };
    auto keys = std::make_shared<Keys>();
    keys->collator.setCaseSensitivity(Qt::CaseInsensitive);
    return [keys, &codec](const std::string& a, const std::string& b) {
        auto key = [&](const std::string& line) -> const QCollatorSortKey& {
            auto found = keys->byLine.find(line);
            if (found == keys->byLine.end())
                found =
                    keys->byLine.emplace(line, keys->collator.sortKey(codec.decode(line))).first;
            return found->second;
        };
        return key(a).compare(key(b)) < 0;
    };
}

HtmlJob htmlJobFor(const RecordCodec& codec) {
    HtmlJob job;
    job.treeCodePage = codec.codePage();
    job.versionText = kVersionText;
    job.webAddress = kHomePageAddress;
    job.indexLess = htmlIndexOrder(codec);
    return job;
}

HtmlResult generateHtml(const PersonList& list, const HtmlJob& job, const RecordCodec& codec,
                        GifDither dither, const std::function<void(const QString&)>& warn,
                        HtmlProgress* progress) {
    HtmlImageWriter images(job.settings, codec, dither, warn);
    return generateHtmlPresentation(list, job, images, progress);
}

}  // namespace lineara
