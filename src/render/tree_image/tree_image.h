// The whole tree (or the selected persons) as one picture, for a poster or
// a web page: drawn by the canvas's painter at a chosen scale, fitted to
// the boxes with a margin all round.
//
// The painter keeps line ends within a few ten thousand pixels of its
// window, which a big tree at full size is far larger than; so the picture
// is painted in tiles, each a window of its own placed where it belongs.
// A tile with no box in it has nothing of its own to draw and is left out.
#pragma once

#include <QPainter>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/model/person_list.h"
#include "core/view/view_state.h"
#include "render/painter/tree_painter.h"
#include "render/platform/record_codec.h"

namespace lineara {

constexpr int kTreeImageMargin = 40;   // tree units on every side
constexpr int kMinTreeImageScale = 5;  // percent
constexpr int kMaxTreeImageScale = 1000;

struct TreeImageRequest {
    int scalePercent = 100;
    bool selectedOnly = false;
    ColourCode colourCode = ColourCode::None;
    PaintSettings paint;
};

// Where the picture's pixels lie: [0, width) x [0, height), the tree point
// (x, y) at pixel ((x + view.scrollX) · z, (y + view.scrollY) · z) as on
// the canvas.
struct TreeImageGeometry {
    int64_t width = 0;
    int64_t height = 0;
    ViewState view;
};

// None when there is nothing to draw: an empty tree, or the selection
// asked for and nobody selected.
std::optional<TreeImageGeometry> treeImageGeometry(const PersonList& persons,
                                                   const TreeImageRequest& request);

// The persons a picture shows, with nothing highlighted: the tree itself,
// its current person and selection put aside while the source lives; or,
// for the selection only, a copy of the selected records with the links
// among them.
class TreeImageSource {
public:
    TreeImageSource(PersonList& list, bool selectedOnly);
    ~TreeImageSource();
    TreeImageSource(const TreeImageSource&) = delete;
    TreeImageSource& operator=(const TreeImageSource&) = delete;
    const PersonList& persons() const { return copy_ ? *copy_ : list_; }

private:
    PersonList& list_;
    std::unique_ptr<PersonList> copy_;
    const PersonRecord* current_ = nullptr;
    std::vector<const PersonRecord*> selection_;
};

// Told the tiles done and their number; false stops the painting.
using TreeImageProgress = std::function<bool(int done, int total)>;

// An image takes the tiles as pixels; a vector file (SVG, PDF) as drawing
// commands, each tile clipped to its place.
enum class TreeImageTarget { Raster, Vector };

// Paints the picture into `painter`, whose device takes picture pixels:
// the background over the whole picture, then every tile holding a box.
// False when `progress` stopped it (or a tile found no memory).
bool paintTreeImage(QPainter& painter, TreeImageTarget target, const PersonList& persons,
                    const TreeImageGeometry& geometry, const TreeImageRequest& request,
                    const RecordCodec& codec, const TreeImageProgress& progress = {});

}  // namespace lineara
