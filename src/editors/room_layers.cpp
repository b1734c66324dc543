// Deriving, adding, removing and changing tile layers.

#include "editors/room_layers.h"

#include <algorithm>
#include <functional>
#include <set>

#include "platform/user_interface.h"
#include "resources/room.h"

namespace kestrin {

void RoomLayers::Derive(const CRoom& room) {
    std::set<std::int32_t, std::greater<>> depths;
    for (const RoomTile& tile : room.Tiles()) depths.insert(tile.Depth);
    mDepths.assign(depths.begin(), depths.end());
    // Tiles of layers beyond the limit stay in the room; only the list stops.
    if (mDepths.size() > static_cast<std::size_t>(kMaxTileLayers)) mDepths.resize(kMaxTileLayers);
    if (mDepths.empty()) mDepths.push_back(kDefaultTileLayer);
    mCurrent = 0;
}

void RoomLayers::Choose(int index) {
    if (index >= 0 && index < static_cast<int>(mDepths.size())) mCurrent = index;
}

int RoomLayers::Insert(std::int32_t depth) {
    auto at = std::lower_bound(mDepths.begin(), mDepths.end(), depth, std::greater<>());
    if (at == mDepths.end() || *at != depth) at = mDepths.insert(at, depth);
    return static_cast<int>(at - mDepths.begin());
}

bool RoomLayers::Add(std::int32_t depth) {
    const bool listed = std::find(mDepths.begin(), mDepths.end(), depth) != mDepths.end();
    if (!listed && mDepths.size() >= static_cast<std::size_t>(kMaxTileLayers)) {
        ShowMessage(kTooManyLayers);
        return false;
    }
    mCurrent = Insert(depth);
    return true;
}

void RoomLayers::RemoveCurrent() {
    mDepths.erase(mDepths.begin() + mCurrent);
    if (mDepths.empty()) mDepths.push_back(kDefaultTileLayer);
    mCurrent = std::min(mCurrent, static_cast<int>(mDepths.size()) - 1);
}

void RoomLayers::ChangeCurrent(std::int32_t depth) {
    mDepths.erase(mDepths.begin() + mCurrent);
    mCurrent = Insert(depth);
}

}  // namespace kestrin
