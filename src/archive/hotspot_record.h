#pragma once

#include "archive/byte_stream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platemap {

// A record of the hotspot archive; its class key decides the layout of the body.
class HotspotRecord {
  public:
    virtual ~HotspotRecord() = default;
    // A static text: the same object on every call.
    virtual const char* classKey() const = 0;
    // A new record of the same class in its default state.
    virtual std::unique_ptr<HotspotRecord> create() const = 0;
    virtual void read(InputStream& stream) = 0;
    virtual void write(OutputStream& stream) const = 0;
};

// An area of the drawing, in image pixels with rows counted from the top.
struct HotspotRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const HotspotRect&, const HotspotRect&) = default;
};

class RectHotspot final : public HotspotRecord {
  public:
    static constexpr const char* key = "QZ";

    const char* classKey() const override { return key; }
    std::unique_ptr<HotspotRecord> create() const override;
    void read(InputStream& stream) override;
    void write(OutputStream& stream) const override;

    HotspotRect rect;
    std::string id;
    std::string auxText;
    std::u16string text;

    friend bool operator==(const RectHotspot& a, const RectHotspot& b) {
        return a.rect == b.rect && a.id == b.id && a.auxText == b.auxText && a.text == b.text;
    }
};

} // namespace platemap
