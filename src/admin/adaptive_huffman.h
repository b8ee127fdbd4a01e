#pragma once

#include <array>
#include <cstdint>

namespace lumo::admin {

class BitReader;
class BitWriter;

// The adaptive Huffman code of LZHUF: a tree over the 314 symbols (256 bytes
// and 58 match lengths) whose nodes are kept in an array ordered by weight;
// every coded symbol gains weight, and when the root reaches the limit all
// weights are halved and the tree is rebuilt. Encoder and decoder keep
// identical trees by updating after every symbol.
class AdaptiveHuffman {
public:
    static constexpr int kSymbols = 314;

    AdaptiveHuffman();

    void encode(int symbol, BitWriter& out);
    // The decoded symbol; an exhausted reader yields some symbol, which the
    // caller must discard.
    int decode(BitReader& in);

private:
    static constexpr int kNodes = 2 * kSymbols - 1;
    static constexpr int kRoot = kNodes - 1;
    static constexpr std::uint32_t kWeightLimit = 0x8000;

    void update(int symbol);
    void rebuild();

    // weight_[kNodes] is a sentinel heavier than any node.
    std::array<std::uint32_t, kNodes + 1> weight_{};
    // parent_[p] for a node position p; parent_[kNodes + s] for the position holding symbol s.
    std::array<int, kNodes + kSymbols> parent_{};
    // child_[p]: the left child's position (the right one follows it), or
    // kNodes + s when position p holds symbol s.
    std::array<int, kNodes> child_{};
};

}  // namespace lumo::admin
