#include "support/reference_octree.h"

#include <algorithm>
#include <array>

namespace platemap::test {

namespace {

struct Node {
    int level = 0;
    bool leaf = false;
    std::uint64_t count = 0;
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    std::array<int, 8> child{-1, -1, -1, -1, -1, -1, -1, -1};
    int paletteIndex = -1;
};

class ReferenceTree {
  public:
    explicit ReferenceTree(int maxColours) : limit_(maxColours) { root_ = make(0); }

    void add(Rgb colour) {
        insert(root_, colour);
        if (leaves_ > limit_)
            reduce();
    }

    std::vector<Rgb> palette() {
        std::vector<Rgb> colours;
        collect(root_, colours);
        return colours;
    }

    int indexOf(Rgb colour) const {
        int node = root_;
        while (!isFinal(node))
            node = nodes_[node].child[branch(colour, nodes_[node].level)];
        return nodes_[node].paletteIndex;
    }

  private:
    static int branch(Rgb colour, int level) {
        const int bit = 7 - level;
        return (colour.red >> bit & 1) * 4 + (colour.green >> bit & 1) * 2 +
               (colour.blue >> bit & 1);
    }

    int make(int level) {
        Node node;
        node.level = level;
        node.leaf = level >= depth_;
        if (node.leaf)
            ++leaves_;
        nodes_.push_back(node);
        return static_cast<int>(nodes_.size()) - 1;
    }

    bool isFinal(int node) const { return nodes_[node].leaf || nodes_[node].level >= depth_; }

    int childrenOf(int node) const {
        return static_cast<int>(std::count_if(nodes_[node].child.begin(), nodes_[node].child.end(),
                                              [](int child) { return child >= 0; }));
    }

    std::vector<int>& listOf(int node) { return lists_[nodes_[node].level]; }
    bool listed(int node) {
        return std::find(listOf(node).begin(), listOf(node).end(), node) != listOf(node).end();
    }
    void unlist(int node) { std::erase(listOf(node), node); }

    void insert(int node, Rgb colour) {
        nodes_[node].count += 1;
        nodes_[node].red += colour.red;
        nodes_[node].green += colour.green;
        nodes_[node].blue += colour.blue;
        if (isFinal(node))
            return;
        const int slot = branch(colour, nodes_[node].level);
        if (nodes_[node].child[slot] < 0) {
            const int made = make(nodes_[node].level + 1);
            nodes_[node].child[slot] = made;
        } else if (childrenOf(node) > 1 && !listed(node)) {
            // The back of a list is its most recent member.
            listOf(node).push_back(node);
        }
        insert(nodes_[node].child[slot], colour);
    }

    int takeFromLists() {
        for (int level = depth_ - 1; level >= 0; --level) {
            const std::vector<int>& list = lists_[level];
            if (list.empty())
                continue;
            int chosen = list.back();
            for (auto member = list.rbegin(); member != list.rend(); ++member) {
                if (nodes_[*member].count < nodes_[chosen].count)
                    chosen = *member;
            }
            unlist(chosen);
            return chosen;
        }
        return -1;
    }

    void forks(int node, std::vector<int>& found) const {
        if (isFinal(node))
            return;
        if (childrenOf(node) > 1)
            found.push_back(node);
        for (int child : nodes_[node].child) {
            if (child >= 0)
                forks(child, found);
        }
    }

    int deepestFork() const {
        std::vector<int> found;
        forks(root_, found);
        const auto best = std::max_element(found.begin(), found.end(), [&](int a, int b) {
            return nodes_[a].level < nodes_[b].level;
        });
        return best == found.end() ? -1 : *best;
    }

    void discard(int node) {
        for (int child : nodes_[node].child) {
            if (child >= 0)
                discard(child);
        }
        if (nodes_[node].leaf)
            --leaves_;
        else
            unlist(node);
    }

    void reduce() {
        int chosen = takeFromLists();
        if (chosen < 0)
            chosen = deepestFork();
        if (chosen < 0)
            return;
        for (int& child : nodes_[chosen].child) {
            if (child >= 0)
                discard(child);
            child = -1;
        }
        nodes_[chosen].leaf = true;
        ++leaves_;
        depth_ = std::min(depth_, nodes_[chosen].level + 1);
    }

    void collect(int node, std::vector<Rgb>& colours) {
        Node& n = nodes_[node];
        if (isFinal(node)) {
            n.paletteIndex = static_cast<int>(colours.size());
            colours.push_back({static_cast<std::uint8_t>(n.red / n.count),
                               static_cast<std::uint8_t>(n.green / n.count),
                               static_cast<std::uint8_t>(n.blue / n.count)});
            return;
        }
        for (int child : n.child) {
            if (child >= 0)
                collect(child, colours);
        }
    }

    int limit_;
    int depth_ = 8;
    int leaves_ = 0;
    int root_ = 0;
    std::vector<Node> nodes_;
    std::array<std::vector<int>, 8> lists_;
};

} // namespace

ReferenceQuantization referenceQuantize(const RgbImage& image, int maxColours) {
    ReferenceTree tree(maxColours);
    for (const Rgb colour : image.pixels)
        tree.add(colour);
    ReferenceQuantization result;
    result.palette = tree.palette();
    for (const Rgb colour : image.pixels)
        result.indices.push_back(tree.indexOf(colour));
    return result;
}

} // namespace platemap::test
