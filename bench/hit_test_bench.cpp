#include "viewer/hit_test.h"
#include "viewer/hotspot_rects.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

using namespace platemap;

constexpr int gridSide = 100; // 10,000 hotspots
constexpr ClientRect client = {0, 0, 800, 600};

ViewGeometry zoomedCanvas() {
    ViewGeometry view;
    view.imageWidth = 2000;
    view.imageHeight = 1500;
    view.zoom = 2.0;
    view.zoomedWidth = 4000;
    view.zoomedHeight = 3000;
    return view;
}

// Each hotspot covers the inner 70% of its grid cell, so points between them miss.
std::vector<HotspotEntry> gridOfHotspots() {
    std::vector<HotspotEntry> entries(gridSide * gridSide);
    const double cell = 1.0 / gridSide;
    for (int row = 0; row < gridSide; ++row) {
        for (int column = 0; column < gridSide; ++column) {
            HotspotEntry& entry = entries[row * gridSide + column];
            entry.fracLeft = (column + 0.15) * cell;
            entry.fracRight = (column + 0.85) * cell;
            entry.fracTop = (row + 0.15) * cell;
            entry.fracBottom = (row + 0.85) * cell;
        }
    }
    UpdateHotspotRects(zoomedCanvas(), client, entries);
    return entries;
}

// Client points with scroll positions, spread over the whole canvas by a fixed generator.
std::vector<CanvasPoint> spreadPoints(int count) {
    std::uint32_t state = 12345;
    const auto next = [&state](std::int32_t below) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::int32_t>((state >> 8) % static_cast<std::uint32_t>(below));
    };
    std::vector<CanvasPoint> points;
    for (int i = 0; i < count; ++i) {
        const std::int32_t scrollX = next(4000 - 800);
        const std::int32_t scrollY = next(3000 - 600);
        points.push_back(canvasPoint(next(800), next(600), scrollX, scrollY));
    }
    return points;
}

void BM_HitTestSpreadPoints(benchmark::State& state) {
    const std::vector<HotspotEntry> entries = gridOfHotspots();
    const std::vector<CanvasPoint> points = spreadPoints(4096);
    std::size_t next = 0;
    std::int64_t hits = 0;
    for (auto _ : state) {
        const HotspotEntry* hit = hitTest(entries, points[next]);
        benchmark::DoNotOptimize(hit);
        hits += hit != nullptr;
        next = (next + 1) % points.size();
    }
    state.counters["hit share"] =
        benchmark::Counter(static_cast<double>(hits) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_HitTestSpreadPoints);

// A point outside every hotspot walks the whole list.
void BM_HitTestMissWalksAll(benchmark::State& state) {
    const std::vector<HotspotEntry> entries = gridOfHotspots();
    const CanvasPoint between = {1, 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(hitTest(entries, between));
}
BENCHMARK(BM_HitTestMissWalksAll);

void BM_UpdateHotspotRects(benchmark::State& state) {
    std::vector<HotspotEntry> entries = gridOfHotspots();
    const ViewGeometry view = zoomedCanvas();
    for (auto _ : state) {
        UpdateHotspotRects(view, client, entries);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(entries.size()));
}
BENCHMARK(BM_UpdateHotspotRects);

} // namespace

BENCHMARK_MAIN();
