#include "core/layout/centre_rows.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <numeric>
#include <optional>

namespace lineara {

namespace {

constexpr int64_t kRowSearch = 1000;  // how far up the next row is looked for

int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

void CentreRows(std::vector<int32_t>& posX, const std::vector<int32_t>& posY,
                const std::vector<uint8_t>& hasParent) {
    const size_t n = posX.size();
    if (n == 0) return;
    const auto [lowest, highest] = std::minmax_element(posX.begin(), posX.end());
    const int64_t minX = *lowest, maxX = *highest;

    // The boxes sorted by row, and where each row starts.
    std::vector<uint32_t> boxes(n);
    std::iota(boxes.begin(), boxes.end(), 0u);
    std::sort(boxes.begin(), boxes.end(), [&posY](uint32_t a, uint32_t b) {
        return posY[a] != posY[b] ? posY[a] < posY[b] : a < b;
    });
    std::vector<int64_t> rowY;
    std::vector<size_t> rowStart;
    for (size_t k = 0; k < n; ++k) {
        if (k == 0 || posY[boxes[k]] != rowY.back()) {
            rowY.push_back(posY[boxes[k]]);
            rowStart.push_back(k);
        }
    }
    rowStart.push_back(n);
    auto rowAt = [&rowY](int64_t y) -> std::optional<size_t> {
        auto it = std::lower_bound(rowY.begin(), rowY.end(), y);
        if (it == rowY.end() || *it != y) return std::nullopt;
        return static_cast<size_t>(it - rowY.begin());  // not before the first
    };

    size_t row = rowY.size() - 1;  // the bottom row
    for (;;) {
        const int64_t Y = rowY[row];
        int64_t A = minX, B = maxX;
        for (size_t k = rowStart[row]; k < rowStart[row + 1]; ++k) {
            if (!hasParent[boxes[k]]) continue;
            A = std::max<int64_t>(A, posX[boxes[k]]);
            B = std::min<int64_t>(B, posX[boxes[k]]);
        }
        const bool found = row > 0 && rowY[row - 1] > Y - kRowSearch;
        const int64_t next = found ? rowY[row - 1] : Y - kRowSearch;
        const std::optional<size_t> nextRow = found ? row - 1 : rowAt(next);
        if (nextRow) {
            int64_t rMax = minX, rMin = maxX;
            for (size_t k = rowStart[*nextRow]; k < rowStart[*nextRow + 1]; ++k) {
                rMax = std::max<int64_t>(rMax, posX[boxes[k]]);
                rMin = std::min<int64_t>(rMin, posX[boxes[k]]);
            }
            const int64_t shift = ((rMax - A) - (B - rMin)) / 2;
            for (size_t k = rowStart[*nextRow]; k < rowStart[*nextRow + 1]; ++k) {
                posX[boxes[k]] = clampToInt32(posX[boxes[k]] - shift);
            }
        }
        if (!found) break;
        row = row - 1;
    }
}

}  // namespace lineara
