#pragma once
// The adaptive Huffman tree of LZHUF over 314 symbols (256 literal bytes and
// the match lengths 3 to 60). Both coder and decoder keep one and update it
// after every symbol, so they stay in step without a stored table. The tree is
// rebuilt with halved frequencies when the root's frequency reaches 0x8000.
#include <array>
#include <cstdint>

namespace nuvel::lzh {

inline constexpr int kRingSize = 4096;        // N
inline constexpr int kMaxMatch = 60;          // F
inline constexpr int kThreshold = 2;          // matches longer than this are coded
inline constexpr int kSymbols = 256 - kThreshold + kMaxMatch;  // 314
inline constexpr int kNodes = 2 * kSymbols - 1;                // T = 627
inline constexpr int kRoot = kNodes - 1;                       // R
inline constexpr unsigned kMaxFreq = 0x8000;

class AdaptiveHuffman {
 public:
  AdaptiveHuffman();

  // The code of a symbol, read from the root: the first bit is bit
  // length - 1 of `bits`. Codes may be longer than 16 bits.
  struct Code {
    uint32_t bits;
    int length;
  };
  Code CodeOf(int symbol) const;

  // Decoding walks from the root: Start() gives the root's first child,
  // and while IsNode(n), Next(n, bit) descends one level.
  int Start() const { return son_[kRoot]; }
  static bool IsNode(int n) { return n < kNodes; }
  int Next(int n, unsigned bit) const { return son_[n + static_cast<int>(bit)]; }
  static int SymbolOf(int leaf) { return leaf - kNodes; }

  // Counts one more occurrence of the symbol and restores the tree's order.
  void Update(int symbol);

 private:
  void Rebuild();
  std::array<uint32_t, kNodes + 1> freq_{};
  std::array<int, kNodes + kSymbols> parent_{};  // [kNodes..] give each symbol's leaf
  std::array<int, kNodes> son_{};
};

}  // namespace nuvel::lzh
