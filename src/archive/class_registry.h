#pragma once

#include "archive/hotspot_record.h"

#include <map>
#include <memory>
#include <string>

namespace platemap {

// Turns a class key into a new record of that class; keys match exactly, case-sensitive.
class HotspotClassRegistry {
  public:
    HotspotClassRegistry();

    std::unique_ptr<HotspotRecord> lookup(const std::string& key) const;

  private:
    void add(std::unique_ptr<HotspotRecord> prototype);

    std::map<std::string, std::unique_ptr<HotspotRecord>> prototypes_;
};

} // namespace platemap
