#pragma once

#include "archive/hotspot_record.h"
#include "viewer/client_rect.h"

#include <cstdint>

namespace platemap {

// Pixel columns and rows of the image, rows counted from the top: the hotspots' own measure.
using ImageRect = HotspotRect;

// The zoom model of the viewer: the image shown at `zoom` on a canvas of the zoomed size. The
// canvas is the zoomed size itself, which after a fit may differ by a pixel from image size times
// factor. Scroll positions live in the window's scroll bars and are passed in where needed.
// The image size is never 0 here: documents without pixels are refused before they are shown.
struct ViewGeometry {
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    double zoom = 1.0;
    double minZoom = 1.0;
    double maxZoom = 1.0;
    std::int32_t zoomedWidth = 0;
    std::int32_t zoomedHeight = 0;

    // A zoomed width of 0 leaves the fit to the next paint.
    bool initialised() const { return zoomedWidth != 0; }
    // Fits the image into the client area and fixes the zoom limits.
    void initialise(const ClientRect& client);

    // Both return false, changing nothing, when the factor is already at the limit.
    bool zoomIn();
    bool zoomOut();
    // The fits take the client rectangle as it is now, inside the scroll bars shown at this
    // moment. They may leave the factor outside the limits; fit width and height raise maxZoom.
    void fitWindow(const ClientRect& client);
    void fitWidth(const ClientRect& client);
    void fitHeight(const ClientRect& client);
    void actualSize();

    // Centres a smaller canvas in the rectangle; applied to a client rectangle, its new left and
    // top are the canvas offsets.
    void CenterInClient(ClientRect& rect) const;
    // The image area that a destination of the given size shows at the given scroll positions.
    ImageRect VisibleSource(std::int32_t destinationWidth, std::int32_t destinationHeight,
                            std::int32_t scrollX, std::int32_t scrollY) const;
};

} // namespace platemap
