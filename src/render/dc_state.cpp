#include "render/dc_state.h"

#include <algorithm>
#include <utility>

namespace quorvenda {

DcBook::DcBook(GdiObject stockPen, GdiObject stockFont, GdiObject defaultBitmap)
    : stockPen_(stockPen), stockFont_(stockFont), defaultBitmap_(defaultBitmap) {}

void DcBook::open(DcHandle dc, bool memory) {
    DcState state;
    state.memory = memory;
    state.pen = stockPen_;
    state.font = stockFont_;
    if (memory) state.bitmap = defaultBitmap_;
    dcs_[dc] = state;
}

void DcBook::openWindowDc(DcHandle dc) {
    open(dc, false);
}

void DcBook::openMemoryDc(DcHandle dc) {
    open(dc, true);
}

bool DcBook::close(DcHandle dc) {
    return dcs_.erase(dc) > 0;
}

DcState* DcBook::find(DcHandle dc) {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? nullptr : &it->second;
}

const DcState* DcBook::find(DcHandle dc) const {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? nullptr : &it->second;
}

Selection DcBook::select(DcHandle dc, GdiObject object, ObjectKind kind) {
    DcState* state = find(dc);
    if (state == nullptr) return Selection{noObject, SelectRefusal::noSuchDc};
    switch (kind) {
        case ObjectKind::pen: return Selection{std::exchange(state->pen, object)};
        case ObjectKind::font: return Selection{std::exchange(state->font, object)};
        case ObjectKind::bitmap:
            if (!state->memory) return Selection{noObject, SelectRefusal::bitmapIntoWindowDc};
            if (state->bitmap != object && object != defaultBitmap_ && selectedAnywhere(object))
                return Selection{noObject, SelectRefusal::bitmapElsewhere};
            return Selection{std::exchange(state->bitmap, object)};
        case ObjectKind::none: break;
    }
    return Selection{};
}

bool DcBook::selectedAnywhere(GdiObject object) const {
    return std::any_of(dcs_.begin(), dcs_.end(), [object](const auto& entry) {
        const DcState& dc = entry.second;
        return dc.pen == object || dc.font == object || dc.bitmap == object;
    });
}

std::size_t DcBook::memoryDcCount() const {
    return static_cast<std::size_t>(
        std::count_if(dcs_.begin(), dcs_.end(), [](const auto& entry) { return entry.second.memory; }));
}

}  // namespace quorvenda
