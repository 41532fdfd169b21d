#include "raster/octree_quantizer.h"

#include <algorithm>
#include <new>

namespace platemap {

namespace {

// Level 0 branches on the top bit of each component, level 7 on the lowest.
int childIndex(const OctreeNode& node, Rgb colour) {
    const int shift = 7 - node.level;
    return ((colour.red >> shift) & 1) << 2 | ((colour.green >> shift) & 1) << 1 |
           ((colour.blue >> shift) & 1);
}

} // namespace

void OctreeQuantizer::setMaxColours(int limit) {
    maxColours_ = std::clamp(limit, 1, paletteCapacity);
}

bool OctreeQuantizer::buildTree() {
    root_ = createNode(0);
    if (!root_)
        return false;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Rgb colour;
            if (!getPixel(x, y, colour) || !addColour(*root_, colour))
                return false;
            if (leafCount_ > maxColours_)
                reduceTree();
        }
    }
    return true;
}

std::unique_ptr<OctreeNode> OctreeQuantizer::createNode(std::int32_t level) {
    const bool isLeaf = level >= maxDepth_;
    std::unique_ptr<OctreeNode> node(new (std::nothrow) OctreeNode(level, isLeaf));
    if (node && isLeaf)
        ++leafCount_;
    return node;
}

bool OctreeQuantizer::addColour(OctreeNode& node, Rgb colour) {
    for (OctreeNode* current = &node;;) {
        ++current->pixelCount;
        current->redSum += colour.red;
        current->greenSum += colour.green;
        current->blueSum += colour.blue;
        if (current->isLeaf || current->level >= maxDepth_)
            return true;
        std::unique_ptr<OctreeNode>& child = current->children[childIndex(*current, colour)];
        if (!child) {
            child = createNode(current->level + 1);
            if (!child)
                return false;
            ++current->childCount;
        } else if (current->childCount > 1 && !current->inList) {
            pushReducible(*current);
        }
        current = child.get();
    }
}

bool OctreeQuantizer::isFinal(const OctreeNode& node) const {
    return node.isLeaf || node.level >= maxDepth_;
}

void OctreeQuantizer::pushReducible(OctreeNode& node) {
    OctreeNode*& head = reducible_[node.level];
    node.prev = nullptr;
    node.next = head;
    if (head)
        head->prev = &node;
    head = &node;
    node.inList = true;
}

void OctreeQuantizer::unlinkReducible(OctreeNode& node) {
    if (node.prev)
        node.prev->next = node.next;
    else
        reducible_[node.level] = node.next;
    if (node.next)
        node.next->prev = node.prev;
    node.prev = nullptr;
    node.next = nullptr;
    node.inList = false;
}

OctreeNode* OctreeQuantizer::pickReducible() {
    for (std::int32_t level = maxDepth_ - 1; level >= 0; --level) {
        OctreeNode* best = reducible_[level];
        if (!best)
            continue;
        // Strictly smaller only: of equal counts the one nearer the head wins.
        for (OctreeNode* node = best->next; node; node = node->next) {
            if (node->pixelCount < best->pixelCount)
                best = node;
        }
        return best;
    }
    return nullptr;
}

// A node joins a list only when a pixel passes through it into an existing child, so with a very
// small limit the lists can be empty while there are too many leaves. Any node with two or more
// children still merges at least two leaves into one; the deepest loses the least detail. (Two
// such nodes on one level imply a listed ancestor, so the depth alone decides.)
OctreeNode* OctreeQuantizer::deepestBranchingNode() {
    OctreeNode* best = nullptr;
    auto visit = [&](auto& self, OctreeNode& node) -> void {
        if (isFinal(node))
            return;
        if (node.childCount > 1 && (!best || node.level > best->level))
            best = &node;
        for (const std::unique_ptr<OctreeNode>& child : node.children) {
            if (child)
                self(self, *child);
        }
    };
    visit(visit, *root_);
    return best;
}

void OctreeQuantizer::reduceTree() {
    OctreeNode* node = pickReducible();
    if (!node)
        node = deepestBranchingNode();
    if (!node)
        return;
    if (node->inList)
        unlinkReducible(*node);
    removeChildren(*node);
    node->isLeaf = true;
    ++leafCount_;
    if (node->level < maxDepth_ - 1)
        maxDepth_ = node->level + 1;
}

void OctreeQuantizer::removeChildren(OctreeNode& node) {
    for (std::unique_ptr<OctreeNode>& child : node.children) {
        if (!child)
            continue;
        removeChildren(*child);
        if (child->isLeaf)
            --leafCount_;
        // Lists below the new depth limit are never read again; keep them free of freed nodes
        // anyway.
        if (child->inList)
            unlinkReducible(*child);
        child.reset();
    }
    node.childCount = 0;
}

int OctreeQuantizer::numberPaletteEntries() {
    int count = 0;
    numberEntries(*root_, count);
    return count;
}

void OctreeQuantizer::numberEntries(OctreeNode& node, int& count) {
    if (isFinal(node)) {
        palette_[count] = {static_cast<std::uint8_t>(node.redSum / node.pixelCount),
                           static_cast<std::uint8_t>(node.greenSum / node.pixelCount),
                           static_cast<std::uint8_t>(node.blueSum / node.pixelCount)};
        node.paletteIndex = count++;
        return;
    }
    for (const std::unique_ptr<OctreeNode>& child : node.children) {
        if (child)
            numberEntries(*child, count);
    }
}

int OctreeQuantizer::findIndex(Rgb colour) const {
    const OctreeNode* node = root_.get();
    while (node && !isFinal(*node))
        node = node->children[childIndex(*node, colour)].get();
    return node ? node->paletteIndex : -1;
}

} // namespace platemap
