#include "admin/adaptive_huffman.h"

#include <algorithm>

#include "admin/bit_stream.h"

namespace lumo::admin {

AdaptiveHuffman::AdaptiveHuffman() {
    for (int s = 0; s < kSymbols; ++s) {
        weight_[s] = 1;
        child_[s] = kNodes + s;
        parent_[kNodes + s] = s;
    }
    // Pair neighbours from the lightest up; the array stays ordered by weight.
    for (int left = 0, node = kSymbols; node < kNodes; left += 2, ++node) {
        weight_[node] = weight_[left] + weight_[left + 1];
        child_[node] = left;
        parent_[left] = parent_[left + 1] = node;
    }
    weight_[kNodes] = 0xFFFFFFFFu;
    parent_[kRoot] = kRoot;
}

void AdaptiveHuffman::encode(int symbol, BitWriter& out) {
    // Collect the path from the symbol up to the root, then send it root first.
    std::uint64_t path = 0;
    int length = 0;
    for (int node = parent_[kNodes + symbol]; node != kRoot; node = parent_[node]) {
        path |= std::uint64_t(node & 1) << length;  // a right child sits at an odd position
        ++length;
    }
    while (length > 0) {
        const int chunk = std::min(length, 32);
        length -= chunk;
        out.put(static_cast<std::uint32_t>(path >> length), chunk);
    }
    update(symbol);
}

int AdaptiveHuffman::decode(BitReader& in) {
    int node = child_[kRoot];
    while (node < kNodes) node = child_[node + static_cast<int>(in.bit())];
    const int symbol = node - kNodes;
    update(symbol);
    return symbol;
}

void AdaptiveHuffman::update(int symbol) {
    if (weight_[kRoot] >= kWeightLimit) rebuild();
    int node = parent_[kNodes + symbol];
    for (;;) {
        const std::uint32_t weight = ++weight_[node];
        if (weight > weight_[node + 1]) {
            // Move the node behind the last one that is now lighter than it,
            // which keeps the array ordered; that one is never an ancestor.
            int last = node + 1;
            while (weight > weight_[last + 1]) ++last;
            weight_[node] = weight_[last];
            weight_[last] = weight;
            const int moved = child_[node];
            const int displaced = child_[last];
            child_[last] = moved;
            parent_[moved] = last;
            if (moved < kNodes) parent_[moved + 1] = last;
            child_[node] = displaced;
            parent_[displaced] = node;
            if (displaced < kNodes) parent_[displaced + 1] = node;
            node = last;
        }
        if (node == kRoot) break;
        node = parent_[node];
    }
}

void AdaptiveHuffman::rebuild() {
    // Gather the leaves at the front with halved weights (never below 1).
    int leaf = 0;
    for (int node = 0; node < kNodes; ++node) {
        if (child_[node] >= kNodes) {
            weight_[leaf] = (weight_[node] + 1) / 2;
            child_[leaf] = child_[node];
            ++leaf;
        }
    }
    // Join the two lightest unpaired entries into a node placed in weight
    // order; the pairs are always taken from the front.
    for (int left = 0, node = kSymbols; node < kNodes; left += 2, ++node) {
        const std::uint32_t weight = weight_[left] + weight_[left + 1];
        int at = node;
        while (weight < weight_[at - 1]) --at;
        std::copy_backward(weight_.begin() + at, weight_.begin() + node, weight_.begin() + node + 1);
        std::copy_backward(child_.begin() + at, child_.begin() + node, child_.begin() + node + 1);
        weight_[at] = weight;
        child_[at] = left;
    }
    for (int node = 0; node < kNodes; ++node) {
        const int c = child_[node];
        parent_[c] = node;
        if (c < kNodes) parent_[c + 1] = node;
    }
}

}  // namespace lumo::admin
