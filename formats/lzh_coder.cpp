#include "formats/lzh_coder.h"

#include <memory>

#include "formats/lzh_huffman.h"
#include "formats/lzh_match_tree.h"
#include "formats/lzh_position_code.h"

namespace nuvel::lzh {

namespace {

constexpr int kStart = kRingSize - kMaxMatch;  // 4036: first position coded

class BitWriter {
 public:
  explicit BitWriter(ByteOutput& out) : out_(out) {}
  // Appends the low `length` bits of `bits`, most significant first.
  void Put(uint32_t bits, int length) {
    acc_ = (acc_ << length) | bits;
    count_ += length;
    while (count_ >= 8) {
      count_ -= 8;
      out_.Put(static_cast<uint8_t>(acc_ >> count_));
    }
  }
  void Finish() {
    if (count_ > 0) out_.Put(static_cast<uint8_t>(acc_ << (8 - count_)));
    count_ = 0;
  }

 private:
  ByteOutput& out_;
  uint64_t acc_ = 0;
  int count_ = 0;
};

class BitReader {
 public:
  explicit BitReader(ByteInput& in) : in_(in) {}
  unsigned Bit() {
    if (count_ == 0) Fill();
    --count_;
    return (acc_ >> count_) & 1u;
  }
  unsigned Byte() {
    if (count_ < 8) Fill();
    count_ -= 8;
    return (acc_ >> count_) & 0xFFu;
  }

 private:
  void Fill() {
    uint8_t b;
    if (!in_.Get(b)) throw DamagedStream();
    acc_ = (acc_ << 8) | b;
    count_ += 8;
  }
  ByteInput& in_;
  uint32_t acc_ = 0;
  int count_ = 0;
};

void PutSymbol(AdaptiveHuffman& tree, BitWriter& bits, int symbol) {
  AdaptiveHuffman::Code code = tree.CodeOf(symbol);
  bits.Put(code.bits, code.length);
  tree.Update(symbol);
}

void PutPosition(BitWriter& bits, int position) {
  int upper = position >> 6;
  bits.Put(kPositionCode[upper] >> (8 - kPositionLength[upper]), kPositionLength[upper]);
  bits.Put(static_cast<uint32_t>(position & 0x3F), 6);
}

int GetSymbol(AdaptiveHuffman& tree, BitReader& bits) {
  int n = tree.Start();
  while (AdaptiveHuffman::IsNode(n)) n = tree.Next(n, bits.Bit());
  int symbol = AdaptiveHuffman::SymbolOf(n);
  tree.Update(symbol);
  return symbol;
}

int GetPosition(BitReader& bits) {
  const PositionDecodeTables& t = PositionDecoding();
  unsigned i = bits.Byte();
  unsigned upper = t.code[i];
  // The first byte held the prefix code and the start of the lower six
  // bits; read the rest of them.
  for (int j = t.length[i] - 2; j > 0; --j) i = (i << 1) | bits.Bit();
  return static_cast<int>((upper << 6) | (i & 0x3F));
}

}  // namespace

uint64_t Encode(ByteInput& in, ByteOutput& out) {
  auto tree = std::make_unique<AdaptiveHuffman>();
  auto dict = std::make_unique<MatchTree>();
  BitWriter bits(out);
  uint8_t* ring = dict->Ring();

  for (int i = 0; i < kStart; ++i) ring[i] = ' ';
  int s = 0;
  int r = kStart;
  int len = 0;
  uint8_t c;
  while (len < kMaxMatch && in.Get(c)) ring[r + len++] = c;
  uint64_t textsize = static_cast<uint64_t>(len);
  if (len == 0) return 0;

  for (int i = 1; i <= kMaxMatch; ++i) dict->Insert(r - i);
  dict->Insert(r);
  do {
    int match_length = dict->MatchLength();
    if (match_length > len) match_length = len;
    if (match_length <= kThreshold) {
      match_length = 1;
      PutSymbol(*tree, bits, ring[r]);
    } else {
      PutSymbol(*tree, bits, 255 - kThreshold + match_length);
      PutPosition(bits, dict->MatchPosition());
    }
    int i = 0;
    for (; i < match_length && in.Get(c); ++i) {
      dict->Delete(s);
      dict->Store(s, c);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      dict->Insert(r);
    }
    textsize += static_cast<uint64_t>(i);
    for (; i < match_length; ++i) {
      dict->Delete(s);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      if (--len) dict->Insert(r);
    }
  } while (len > 0);
  bits.Finish();
  return textsize;
}

void Decode(ByteInput& in, ByteOutput& out, uint64_t size) {
  if (size == 0) return;
  auto tree = std::make_unique<AdaptiveHuffman>();
  BitReader bits(in);
  uint8_t ring[kRingSize];
  for (int i = 0; i < kStart; ++i) ring[i] = ' ';
  for (int i = kStart; i < kRingSize; ++i) ring[i] = 0;
  int r = kStart;
  uint64_t count = 0;
  while (count < size) {
    int symbol = GetSymbol(*tree, bits);
    if (symbol < 256) {
      out.Put(static_cast<uint8_t>(symbol));
      ring[r] = static_cast<uint8_t>(symbol);
      r = (r + 1) & (kRingSize - 1);
      ++count;
    } else {
      int from = (r - GetPosition(bits) - 1) & (kRingSize - 1);
      uint64_t length = static_cast<uint64_t>(symbol - 255 + kThreshold);
      if (length > size - count) length = size - count;
      for (uint64_t k = 0; k < length; ++k) {
        uint8_t b = ring[(from + static_cast<int>(k)) & (kRingSize - 1)];
        out.Put(b);
        ring[r] = b;
        r = (r + 1) & (kRingSize - 1);
      }
      count += length;
    }
  }
}

}  // namespace nuvel::lzh
