#include "formats/lzh_huffman.h"

namespace nuvel::lzh {

AdaptiveHuffman::AdaptiveHuffman() {
  for (int i = 0; i < kSymbols; ++i) {
    freq_[i] = 1;
    son_[i] = i + kNodes;
    parent_[i + kNodes] = i;
  }
  for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq_[j] = freq_[i] + freq_[i + 1];
    son_[j] = i;
    parent_[i] = parent_[i + 1] = j;
  }
  freq_[kNodes] = 0xFFFF;  // guard above every real frequency
  parent_[kRoot] = 0;
}

AdaptiveHuffman::Code AdaptiveHuffman::CodeOf(int symbol) const {
  uint32_t bits = 0;
  int length = 0;
  // Climb from the leaf to the root; an odd node is the larger of two brothers
  // and stands for a 1 bit. The first bit climbed is the last bit sent.
  int k = parent_[symbol + kNodes];
  do {
    bits |= static_cast<uint32_t>(k & 1) << length;
    ++length;
    k = parent_[k];
  } while (k != kRoot);
  return {bits, length};
}

void AdaptiveHuffman::Rebuild() {
  // Gather the leaves in the first half with halved frequencies.
  int j = 0;
  for (int i = 0; i < kNodes; ++i) {
    if (son_[i] >= kNodes) {
      freq_[j] = (freq_[i] + 1) / 2;
      son_[j] = son_[i];
      ++j;
    }
  }
  // Join the two smallest pending nodes, keeping the list sorted.
  for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
    uint32_t f = freq_[i] + freq_[i + 1];
    int k = n - 1;
    while (f < freq_[k]) --k;
    ++k;
    for (int m = n; m > k; --m) {
      freq_[m] = freq_[m - 1];
      son_[m] = son_[m - 1];
    }
    freq_[k] = f;
    son_[k] = i;
  }
  for (int i = 0; i < kNodes; ++i) {
    int k = son_[i];
    if (k >= kNodes) {
      parent_[k] = i;
    } else {
      parent_[k] = parent_[k + 1] = i;
    }
  }
}

void AdaptiveHuffman::Update(int symbol) {
  if (freq_[kRoot] == kMaxFreq) Rebuild();
  int c = parent_[symbol + kNodes];
  do {
    uint32_t k = ++freq_[c];
    // When the order is disturbed, swap the node with the last one of a
    // smaller frequency.
    int l = c + 1;
    if (k > freq_[l]) {
      while (k > freq_[++l]) {
      }
      --l;
      freq_[c] = freq_[l];
      freq_[l] = k;

      int i = son_[c];
      parent_[i] = l;
      if (i < kNodes) parent_[i + 1] = l;

      int jn = son_[l];
      son_[l] = i;
      parent_[jn] = c;
      if (jn < kNodes) parent_[jn + 1] = c;
      son_[c] = jn;

      c = l;
    }
    c = parent_[c];
  } while (c != 0);
}

}  // namespace nuvel::lzh
