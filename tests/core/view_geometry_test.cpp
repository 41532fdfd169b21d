#include "viewer/fit_size.h"
#include "viewer/truncation.h"
#include "viewer/view_geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace platemap {
namespace {

constexpr auto int32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto int32Min = std::numeric_limits<std::int32_t>::min();

ViewGeometry imageOf(std::int32_t width, std::int32_t height) {
    ViewGeometry view;
    view.imageWidth = width;
    view.imageHeight = height;
    return view;
}

ClientRect clientOf(std::int32_t width, std::int32_t height) {
    return {0, 0, width, height};
}

TEST(TruncToInt32, TruncatesTowardZeroAndSaturatesOutsideTheRange) {
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.999, 0},
        {-0.5, 0},
        {2147483646.9, 2147483646},
        {2147483647.5, int32Max},
        {1e10, int32Max},
        {-2147483648.0, int32Min},
        {-2147483648.9, int32Min},
        {-1e10, int32Min},
        {std::numeric_limits<double>::infinity(), int32Max},
        {-std::numeric_limits<double>::infinity(), int32Min},
        {std::nan(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(truncToInt32(c.value), c.expected) << c.value;
}

TEST(FitSize, KeepsTheAspectRatioInsideTheBox) {
    const struct {
        std::int32_t boxWidth, boxHeight, width, height;
        PixelSize expected;
    } cases[] = {
        {600, 400, 100, 100, {400, 400}}, // square into a wide box: the height limits
        {800, 600, 400, 200, {800, 400}}, // wide image, width limits
        {800, 600, 200, 400, {300, 600}}, // tall image, height limits
        {100, 600, 200, 400, {100, 200}}, // tall image in a narrow box, width limits
        {100, 100, 3, 2, {100, 66}},      // 66.67 truncated
        {100, 100, 2, 3, {66, 100}},      // 66.67 truncated
        {0, 0, 100, 50, {0, 0}},          // a client area of no size fits nothing
        {0, 400, 100, 50, {0, 0}},        {300, 0, 50, 100, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitSize(c.boxWidth, c.boxHeight, c.width, c.height), c.expected)
            << c.boxWidth << "x" << c.boxHeight << " box, " << c.width << "x" << c.height;
    }
}

TEST(ZoomModel, StartsUninitialisedAtFactorOne) {
    const ViewGeometry view;
    EXPECT_FALSE(view.initialised());
    EXPECT_EQ(view.zoom, 1.0);
    EXPECT_EQ(view.minZoom, 1.0);
    EXPECT_EQ(view.maxZoom, 1.0);
    EXPECT_EQ(view.zoomedHeight, 0);
}

TEST(ZoomModel, InitialisationFitsAndSetsTheLimits) {
    const struct {
        std::int32_t imageWidth, imageHeight, clientWidth, clientHeight;
        std::int32_t zoomedWidth, zoomedHeight;
        double zoom, minZoom;
    } cases[] = {
        {2000, 1000, 800, 600, 800, 400, 0.4, 0.05},
        {50, 50, 80, 80, 80, 80, 1.6, 2.0},
        {100, 100, 600, 400, 400, 400, 4.0, 1.0},
    };
    for (const auto& c : cases) {
        ViewGeometry view = imageOf(c.imageWidth, c.imageHeight);
        view.initialise(clientOf(c.clientWidth, c.clientHeight));
        EXPECT_TRUE(view.initialised());
        EXPECT_EQ(view.zoomedWidth, c.zoomedWidth) << c.imageWidth;
        EXPECT_EQ(view.zoomedHeight, c.zoomedHeight) << c.imageWidth;
        EXPECT_EQ(view.zoom, c.zoom) << c.imageWidth;
        EXPECT_EQ(view.minZoom, c.minZoom) << c.imageWidth;
        EXPECT_EQ(view.maxZoom, 3.0) << c.imageWidth;
    }
}

enum class Zoom { In, Out };

TEST(ZoomModel, StepsAndLimits) {
    const struct {
        const char* what;
        double zoom, minZoom, maxZoom;
        Zoom direction;
        bool changes;
        double expectedZoom;
        std::int32_t zoomedWidth, zoomedHeight; // of a 200 x 100 image
    } cases[] = {
        {"small step in from 1.0", 1.0, 0.05, 3.0, Zoom::In, true, 1.05, 210, 105},
        {"small step out from 1.0", 1.0, 0.05, 3.0, Zoom::Out, true, 0.95, 190, 95},
        {"large step out above 1.0", 1.05, 0.05, 3.0, Zoom::Out, true, 0.95, 190, 95},
        {"small step in below 1.0", 0.95, 0.05, 3.0, Zoom::In, true, 1.0, 200, 100},
        {"in stops at the maximum", 2.95, 0.05, 3.0, Zoom::In, true, 3.0, 600, 300},
        {"in at the maximum", 3.0, 0.05, 3.0, Zoom::In, false, 3.0, 0, 0},
        {"out stops at the minimum", 0.07, 0.05, 3.0, Zoom::Out, true, 0.05, 10, 5},
        {"out at the minimum", 0.05, 0.05, 3.0, Zoom::Out, false, 0.05, 0, 0},
        {"out below a minimum of 2.0", 1.6, 2.0, 3.0, Zoom::Out, false, 1.6, 0, 0},
        {"in below a minimum of 2.0", 1.6, 2.0, 3.0, Zoom::In, true, 1.7, 340, 170},
        {"in above the maximum", 4.0, 1.0, 3.0, Zoom::In, false, 4.0, 0, 0},
        {"out above the maximum", 4.0, 1.0, 3.0, Zoom::Out, true, 3.9, 780, 390},
    };
    for (const auto& c : cases) {
        ViewGeometry view = imageOf(200, 100);
        view.zoom = c.zoom;
        view.minZoom = c.minZoom;
        view.maxZoom = c.maxZoom;
        const bool changed = c.direction == Zoom::In ? view.zoomIn() : view.zoomOut();
        EXPECT_EQ(changed, c.changes) << c.what;
        EXPECT_DOUBLE_EQ(view.zoom, c.expectedZoom) << c.what;
        EXPECT_EQ(view.zoomedWidth, c.zoomedWidth) << c.what;
        EXPECT_EQ(view.zoomedHeight, c.zoomedHeight) << c.what;
        EXPECT_EQ(view.minZoom, c.minZoom) << c.what;
        EXPECT_EQ(view.maxZoom, c.maxZoom) << c.what;
    }
}

TEST(ZoomModel, ClampedStepsLandExactlyOnTheLimits) {
    ViewGeometry view = imageOf(200, 100);
    view.zoom = 2.95;
    view.maxZoom = 3.0;
    view.minZoom = 0.05;
    ASSERT_TRUE(view.zoomIn());
    EXPECT_EQ(view.zoom, 3.0);
    view.zoom = 0.07;
    ASSERT_TRUE(view.zoomOut());
    EXPECT_EQ(view.zoom, 0.05);
}

TEST(ZoomModel, HundredSquareFittedAboveTheMaximumOnlyZoomsOut) {
    ViewGeometry view = imageOf(100, 100);
    view.initialise(clientOf(600, 400));
    ASSERT_EQ(view.zoom, 4.0);
    EXPECT_FALSE(view.zoomIn());
    EXPECT_EQ(view.zoom, 4.0);
    EXPECT_EQ(view.zoomedWidth, 400);
    EXPECT_TRUE(view.zoomOut());
    EXPECT_DOUBLE_EQ(view.zoom, 3.9);
    EXPECT_EQ(view.zoomedWidth, 390);
    EXPECT_EQ(view.zoomedHeight, 390);
}

TEST(ZoomModel, NarrowImageZoomsInToThreeButNeverOut) {
    ViewGeometry view = imageOf(50, 50);
    view.initialise(clientOf(80, 80));
    EXPECT_FALSE(view.zoomOut());
    int steps = 0;
    while (view.zoomIn())
        ASSERT_LT(++steps, 100);
    EXPECT_EQ(view.zoom, 3.0);
    EXPECT_EQ(view.zoomedWidth, 150);
}

enum class Fit { Width, Height };

TEST(ZoomModel, FitWidthAndHeightLeaveRoomForTheOtherBar) {
    const struct {
        const char* what;
        Fit fit;
        std::int32_t imageWidth, imageHeight;
        double expectedZoom;
        std::int32_t zoomedWidth, zoomedHeight;
        double maxZoom;
    } cases[] = {
        {"tall image: width less the bar", Fit::Width, 400, 2000, 780.0 / 400, 780, 3900, 3.0},
        {"narrow tall image raises the maximum", Fit::Width, 200, 1000, 780.0 / 200, 780, 3900,
         780.0 / 200},
        {"wide image needs no vertical bar", Fit::Width, 1000, 100, 800.0 / 1000, 800, 80, 3.0},
        {"wide image: height less the bar", Fit::Height, 2000, 400, 580.0 / 400, 2900, 580, 3.0},
        {"small wide image raises the maximum", Fit::Height, 1000, 100, 580.0 / 100, 5800, 580,
         580.0 / 100},
        {"tall image needs no horizontal bar", Fit::Height, 100, 1000, 600.0 / 1000, 60, 600, 3.0},
    };
    for (const auto& c : cases) {
        ViewGeometry view = imageOf(c.imageWidth, c.imageHeight);
        view.maxZoom = 3.0;
        view.minZoom = 0.5;
        if (c.fit == Fit::Width)
            view.fitWidth(clientOf(800, 600));
        else
            view.fitHeight(clientOf(800, 600));
        EXPECT_DOUBLE_EQ(view.zoom, c.expectedZoom) << c.what;
        EXPECT_EQ(view.zoomedWidth, c.zoomedWidth) << c.what;
        EXPECT_EQ(view.zoomedHeight, c.zoomedHeight) << c.what;
        EXPECT_DOUBLE_EQ(view.maxZoom, c.maxZoom) << c.what;
        EXPECT_EQ(view.minZoom, 0.5) << c.what;
    }
}

TEST(ZoomModel, TruncationSeesTheProductAsADouble) {
    // 803 / 25 = 32.12 is stored just below 32.12; times 25 that is just below 803 again, and a
    // double rounds it to a value below 803, not up to 803 as wider arithmetic would.
    ViewGeometry view = imageOf(25, 1);
    view.fitWidth(clientOf(803, 611));
    EXPECT_EQ(view.zoom, 803.0 / 25);
    EXPECT_EQ(view.zoomedWidth, 802);
    EXPECT_EQ(view.zoomedHeight, 32);
}

TEST(ZoomModel, FitWindowAndActualSizeKeepTheLimits) {
    ViewGeometry view = imageOf(300, 200);
    view.initialise(clientOf(150, 100));
    ASSERT_EQ(view.zoom, 0.5);
    ASSERT_EQ(view.minZoom, 100.0 / 300);

    view.fitWindow(clientOf(701, 400));
    EXPECT_EQ(view.zoomedWidth, 600);
    EXPECT_EQ(view.zoomedHeight, 400);
    EXPECT_EQ(view.zoom, 2.0);
    EXPECT_EQ(view.minZoom, 100.0 / 300);
    EXPECT_EQ(view.maxZoom, 3.0);

    view.actualSize();
    EXPECT_EQ(view.zoomedWidth, 300);
    EXPECT_EQ(view.zoomedHeight, 200);
    EXPECT_EQ(view.zoom, 1.0);
    EXPECT_EQ(view.minZoom, 100.0 / 300);
    EXPECT_EQ(view.maxZoom, 3.0);
}

TEST(ZoomModel, ClientAreaOfNoSizeGivesAnEmptyCanvasWithoutFault) {
    ViewGeometry view = imageOf(300, 200);
    view.initialise(clientOf(0, 0));
    EXPECT_FALSE(view.initialised());
    EXPECT_EQ(view.zoom, 0.0);
    EXPECT_EQ(view.zoomedHeight, 0);
    EXPECT_EQ(view.VisibleSource(0, 0, 0, 0), (ImageRect{0, 0, 0, 0}));
    EXPECT_EQ(view.VisibleSource(10, 10, 0, 0), (ImageRect{0, 0, 300, 200}));

    view.fitWidth(clientOf(0, 0));
    EXPECT_EQ(view.zoomedWidth, 0);
    view.fitHeight(clientOf(0, 0));
    EXPECT_EQ(view.zoomedHeight, 0);
    ClientRect rect = clientOf(0, 0);
    view.CenterInClient(rect);
    EXPECT_EQ(rect, clientOf(0, 0));
}

TEST(CenterInClient, CentresOnlyTheSmallerSides) {
    const struct {
        std::int32_t zoomedWidth, zoomedHeight;
        ClientRect client, expected;
    } cases[] = {
        // The odd pixel goes to the right: margins of 200 and 201.
        {300, 200, {0, 0, 701, 400}, {200, 100, 500, 300}},
        {300, 200, {0, 0, 700, 401}, {200, 100, 500, 300}},
        {1000, 200, {0, 0, 701, 400}, {0, 100, 701, 300}},
        {300, 1000, {0, 0, 701, 400}, {200, 0, 500, 400}},
        {701, 400, {0, 0, 701, 400}, {0, 0, 701, 400}},
    };
    for (const auto& c : cases) {
        ViewGeometry view;
        view.zoomedWidth = c.zoomedWidth;
        view.zoomedHeight = c.zoomedHeight;
        ClientRect rect = c.client;
        view.CenterInClient(rect);
        EXPECT_EQ(rect, c.expected) << c.zoomedWidth << "x" << c.zoomedHeight;
    }
}

TEST(VisibleSource, MapsTheScrolledDestinationBackToImagePixels) {
    const struct {
        const char* what;
        double zoom;
        std::int32_t width, height, scrollX, scrollY;
        ImageRect expected;
    } cases[] = {
        {"zoomed in, scrolled", 2.0, 500, 400, 300, 101, {150, 50, 400, 250}},
        {"cut at the right and bottom edges", 2.0, 500, 400, 1800, 1500, {900, 750, 1000, 800}},
        {"zoomed out, centred", 0.5, 500, 400, 0, 0, {0, 0, 1000, 800}},
        {"fractional factor truncates", 0.3, 100, 100, 10, 10, {33, 33, 366, 366}},
        {"scrolled beyond the image", 2.0, 500, 400, 2400, 0, {1200, 0, 1000, 200}},
    };
    for (const auto& c : cases) {
        ViewGeometry view = imageOf(1000, 800);
        view.zoom = c.zoom;
        EXPECT_EQ(view.VisibleSource(c.width, c.height, c.scrollX, c.scrollY), c.expected)
            << c.what;
    }
}

} // namespace
} // namespace platemap
