#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace platemap {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct OctreeNode {
    OctreeNode(std::int32_t level, bool isLeaf) : level(level), isLeaf(isLeaf) {}

    std::int32_t level;
    bool isLeaf;
    bool inList = false;
    // 64-bit: a leaf gathering the background of a large scan would wrap 32-bit sums.
    std::uint64_t pixelCount = 0;
    std::uint64_t redSum = 0;
    std::uint64_t greenSum = 0;
    std::uint64_t blueSum = 0;
    std::int32_t paletteIndex = 0;
    std::int32_t childCount = 0;
    std::array<std::unique_ptr<OctreeNode>, 8> children;
    // Links in the reducible list of the node's level.
    OctreeNode* next = nullptr;
    OctreeNode* prev = nullptr;
};

// Reduces the colours of an image to at most maxColours() palette entries with an octree, in two
// passes over pixels that a derived class supplies. One object serves for one image.
class OctreeQuantizer {
  public:
    static constexpr int paletteCapacity = 256;
    static constexpr int depthLimit = 8;

    OctreeQuantizer(const OctreeQuantizer&) = delete;
    OctreeQuantizer& operator=(const OctreeQuantizer&) = delete;

    int maxColours() const { return maxColours_; }
    // Clamped to 1..256: the palette has 256 slots and an empty one cannot map any pixel.
    void setMaxColours(int limit);

  protected:
    OctreeQuantizer() = default;
    ~OctreeQuantizer() = default;

    virtual bool getPixel(int x, int y, Rgb& colour) = 0;
    virtual bool setPixel(int x, int y, int index) = 0;
    virtual bool mapPixels() = 0;
    virtual void makePalette() = 0;

    // The first pass: every pixel into the tree, keeping at most maxColours() palette entries.
    bool buildTree();
    // Numbers the final nodes depth first and fills palette(); returns how many there are.
    int numberPaletteEntries();
    // The palette index of a colour seen by the first pass; -1 for a colour the tree never saw.
    int findIndex(Rgb colour) const;

    const std::array<Rgb, paletteCapacity>& palette() const { return palette_; }

    std::int32_t height_ = 0;
    std::int32_t width_ = 0;

  private:
    std::unique_ptr<OctreeNode> createNode(std::int32_t level);
    bool addColour(OctreeNode& node, Rgb colour);
    bool isFinal(const OctreeNode& node) const;
    void pushReducible(OctreeNode& node);
    void unlinkReducible(OctreeNode& node);
    OctreeNode* pickReducible();
    OctreeNode* deepestBranchingNode();
    void reduceTree();
    void removeChildren(OctreeNode& node);
    void numberEntries(OctreeNode& node, int& count);

    std::int32_t maxDepth_ = depthLimit;
    std::int32_t leafCount_ = 0;
    std::array<OctreeNode*, depthLimit> reducible_{};
    std::unique_ptr<OctreeNode> root_;
    std::array<Rgb, paletteCapacity> palette_{};
    std::int32_t maxColours_ = paletteCapacity;
};

} // namespace platemap
