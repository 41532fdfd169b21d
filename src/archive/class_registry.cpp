#include "archive/class_registry.h"

namespace platemap {

HotspotClassRegistry::HotspotClassRegistry() {
    add(std::make_unique<RectHotspot>());
}

void HotspotClassRegistry::add(std::unique_ptr<HotspotRecord> prototype) {
    std::string key = prototype->classKey();
    prototypes_.emplace(std::move(key), std::move(prototype));
}

std::unique_ptr<HotspotRecord> HotspotClassRegistry::lookup(const std::string& key) const {
    const auto found = prototypes_.find(key);
    return found == prototypes_.end() ? nullptr : found->second->create();
}

} // namespace platemap
