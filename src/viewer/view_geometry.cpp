#include "viewer/view_geometry.h"

#include "viewer/fit_size.h"
#include "viewer/truncation.h"

#include <algorithm>

namespace platemap {

namespace {

// The canvas may stay this narrow before zooming out stops: 100 screen pixels of width.
constexpr double smallestZoomedWidth = 100.0;
constexpr double initialMaxZoom = 3.0;
// Room left for the scroll bar that a fit of one side makes appear on the other.
constexpr double scrollBarAllowance = 20.0;

double zoomStep(double zoom) {
    return zoom > 1.0 ? 0.1 : 0.05;
}

void sizeCanvasFromZoom(ViewGeometry& view) {
    view.zoomedWidth = truncToInt32(view.imageWidth * view.zoom);
    view.zoomedHeight = truncToInt32(view.imageHeight * view.zoom);
}

void fitToBox(ViewGeometry& view, const ClientRect& client) {
    const PixelSize fitted =
        FitSize(client.width(), client.height(), view.imageWidth, view.imageHeight);
    view.zoomedWidth = fitted.width;
    view.zoomedHeight = fitted.height;
    view.zoom = static_cast<double>(view.zoomedWidth) / view.imageWidth;
}

} // namespace

void ViewGeometry::initialise(const ClientRect& client) {
    fitToBox(*this, client);
    minZoom = smallestZoomedWidth / imageWidth;
    maxZoom = initialMaxZoom;
}

bool ViewGeometry::zoomIn() {
    if (!(zoom < maxZoom))
        return false;
    zoom = std::min(zoom + zoomStep(zoom), maxZoom);
    sizeCanvasFromZoom(*this);
    return true;
}

bool ViewGeometry::zoomOut() {
    if (!(zoom > minZoom))
        return false;
    zoom = std::max(zoom - zoomStep(zoom), minZoom);
    sizeCanvasFromZoom(*this);
    return true;
}

void ViewGeometry::fitWindow(const ClientRect& client) {
    fitToBox(*this, client);
}

void ViewGeometry::fitWidth(const ClientRect& client) {
    const double width = client.width();
    zoom = width / imageWidth;
    sizeCanvasFromZoom(*this);
    if (zoomedHeight > client.height()) {
        zoom = (width - scrollBarAllowance) / imageWidth;
        sizeCanvasFromZoom(*this);
    }
    maxZoom = std::max(maxZoom, zoom);
}

void ViewGeometry::fitHeight(const ClientRect& client) {
    const double height = client.height();
    zoom = height / imageHeight;
    sizeCanvasFromZoom(*this);
    if (zoomedWidth > client.width()) {
        zoom = (height - scrollBarAllowance) / imageHeight;
        sizeCanvasFromZoom(*this);
    }
    maxZoom = std::max(maxZoom, zoom);
}

void ViewGeometry::actualSize() {
    zoomedWidth = imageWidth;
    zoomedHeight = imageHeight;
    zoom = 1.0;
}

void ViewGeometry::CenterInClient(ClientRect& rect) const {
    if (zoomedWidth < rect.width()) {
        rect.left = saturateToInt32((std::int64_t{rect.right} - zoomedWidth - rect.left) / 2);
        rect.right = saturateToInt32(std::int64_t{rect.left} + zoomedWidth);
    }
    if (zoomedHeight < rect.height()) {
        rect.top = saturateToInt32((std::int64_t{rect.bottom} - zoomedHeight - rect.top) / 2);
        rect.bottom = saturateToInt32(std::int64_t{rect.top} + zoomedHeight);
    }
}

ImageRect ViewGeometry::VisibleSource(std::int32_t destinationWidth, std::int32_t destinationHeight,
                                      std::int32_t scrollX, std::int32_t scrollY) const {
    const std::int32_t left = truncToInt32(scrollX / zoom);
    const std::int32_t top = truncToInt32(scrollY / zoom);
    const std::int64_t width = std::min<std::int64_t>(std::int64_t{imageWidth} - left,
                                                      truncToInt32(destinationWidth / zoom));
    const std::int64_t height = std::min<std::int64_t>(std::int64_t{imageHeight} - top,
                                                       truncToInt32(destinationHeight / zoom));
    return {left, top, saturateToInt32(left + width), saturateToInt32(top + height)};
}

} // namespace platemap
