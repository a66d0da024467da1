// One generation of the HTML presentation with the program's own images,
// shared by the window and the command-line tool.
#pragma once

#include <QString>
#include <functional>

#include "core/reports/html_presentation.h"
#include "render/platform/record_codec.h"
#include "render/reports/gif_writer.h"

namespace lineara {

// The job's fixed parts: the version, the product address, the code page and
// the index order; the caller fills in the settings, folders and count.
HtmlJob htmlJobFor(const RecordCodec& codec);

// Runs the generation; `warn` shows the one message of a box image that
// could not be written as GIF.
HtmlResult generateHtml(const PersonList& list, const HtmlJob& job, const RecordCodec& codec,
                        GifDither dither, const std::function<void(const QString&)>& warn,
                        HtmlProgress* progress);

}  // namespace lineara
