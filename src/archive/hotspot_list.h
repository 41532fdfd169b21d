#pragma once

#include "archive/hotspot_record.h"

#include <memory>
#include <vector>

namespace platemap {

// The records of one archive in archive order; the list owns them.
class HotspotList {
  public:
    using Records = std::vector<std::unique_ptr<HotspotRecord>>;

    virtual ~HotspotList() = default;

    void clear() { records_.clear(); }
    void append(std::unique_ptr<HotspotRecord> record) { records_.push_back(std::move(record)); }
    std::size_t size() const { return records_.size(); }
    const HotspotRecord& operator[](std::size_t index) const { return *records_[index]; }
    Records::const_iterator begin() const { return records_.begin(); }
    Records::const_iterator end() const { return records_.end(); }

  private:
    Records records_;
};

} // namespace platemap
