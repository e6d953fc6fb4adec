#include "formats/palmdoc_codec.h"

#include <algorithm>
#include <array>

namespace nuvel {

std::string DecodePalmDocRecord(std::span<const uint8_t> record, std::size_t expected, bool* damaged) {
  std::string out;
  out.reserve(std::min<std::size_t>(expected, 65536));
  const std::size_t n = record.size();
  std::size_t i = 0;
  while (i < n) {
    uint8_t c = record[i++];
    if (c == 0) {
      out.push_back(' ');
    } else if (c <= 8) {
      const std::size_t take = std::min<std::size_t>(c, n - i);
      if (take < c && damaged != nullptr) *damaged = true;
      out.append(reinterpret_cast<const char*>(record.data() + i), take);
      i += take;
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0xC0) {
      const std::size_t distance = i < n ? ((((unsigned{c} << 8) | record[i]) & 0x3FFF) >> 3) : 0;
      // The code's second byte is missing, or it points at no text.
      if (distance == 0 || distance > out.size()) {
        if (damaged != nullptr) *damaged = true;
        break;
      }
      const std::size_t length = (record[i++] & 7u) + 3;
      std::size_t from = out.size() - distance;
      // One byte at a time: a copy may repeat what it has just written.
      for (std::size_t k = 0; k < length; ++k) out.push_back(out[from + k]);
    } else {
      out.push_back(' ');
      out.push_back(static_cast<char>(c ^ 0x80));
    }
  }
  return out;
}

namespace {

constexpr std::size_t kWindow = 2047;
constexpr std::size_t kMaxCopy = 10;
constexpr std::size_t kMinCopy = 3;
constexpr int kHashBits = 12;

// Emits literals and copies, folding a space into a following letter and
// joining bytes that need escaping into counted runs of up to 8.
class RecordEmitter {
 public:
  explicit RecordEmitter(std::size_t size_hint) { out_.reserve(size_hint + size_hint / 8 + 16); }

  void Literal(uint8_t b) {
    if (space_) {
      space_ = false;
      if (b >= 0x40 && b <= 0x7F) {
        Plain(static_cast<uint8_t>(b ^ 0x80));
        return;
      }
      Plain(0x20);
    }
    if (b == 0x20) {
      space_ = true;
    } else if (b == 0x00 || (b >= 0x09 && b <= 0x7F)) {
      Plain(b);
    } else {
      run_[run_length_++] = b;
      if (run_length_ == run_.size()) FlushRun();
    }
  }

  void Copy(std::size_t distance, std::size_t length) {
    FlushSpace();
    unsigned v = static_cast<unsigned>((distance << 3) + length - 3);
    Plain(static_cast<uint8_t>(0x80 + (v >> 8)));
    Plain(static_cast<uint8_t>(v & 0xFF));
  }

  std::vector<uint8_t> Finish() {
    FlushSpace();
    FlushRun();
    out_.shrink_to_fit();
    return std::move(out_);
  }

 private:
  void FlushSpace() {
    if (space_) {
      space_ = false;
      Plain(0x20);
    }
  }
  void Plain(uint8_t b) {
    FlushRun();
    out_.push_back(b);
  }
  void FlushRun() {
    if (run_length_ == 0) return;
    out_.push_back(static_cast<uint8_t>(run_length_));
    out_.insert(out_.end(), run_.begin(), run_.begin() + run_length_);
    run_length_ = 0;
  }

  std::vector<uint8_t> out_;
  std::array<uint8_t, 8> run_{};
  std::size_t run_length_ = 0;
  bool space_ = false;
};

unsigned Hash3(const uint8_t* p) {
  uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

std::vector<uint8_t> CompressRecord(std::string_view Text) {
  const auto* t = reinterpret_cast<const uint8_t*>(Text.data());
  const std::size_t n = Text.size();
  RecordEmitter emit(n);

  // Positions of every 3-byte string, chained from older to newer by hash,
  // so the search can start at the oldest one still in the window and stop
  // at the first match of the longest possible length.
  std::array<int, std::size_t{1} << kHashBits> oldest;
  std::array<int, std::size_t{1} << kHashBits> newest;
  oldest.fill(-1);
  newest.fill(-1);
  std::vector<int> next(n, -1);
  std::size_t inserted = 0;
  auto insert_up_to = [&](std::size_t end) {
    for (; inserted < end; ++inserted) {
      if (inserted + kMinCopy > n) continue;
      unsigned h = Hash3(t + inserted);
      int pos = static_cast<int>(inserted);
      if (newest[h] < 0) {
        oldest[h] = pos;
      } else {
        next[newest[h]] = pos;
      }
      newest[h] = pos;
    }
  };

  std::size_t head = 0;
  while (head < n) {
    insert_up_to(head);
    std::size_t best_length = 0;
    std::size_t best_pos = 0;
    // A copy needs at least 4 bytes left: the last byte always goes out
    // as a literal after a copy that ends the text.
    if (n - head > kMinCopy) {
      const std::size_t cap = std::min(kMaxCopy, n - head - 1);
      const std::size_t low = head > kWindow ? head - kWindow : 0;
      unsigned h = Hash3(t + head);
      int p = oldest[h];
      while (p >= 0 && static_cast<std::size_t>(p) < low) p = next[p];
      oldest[h] = p;
      if (p < 0) newest[h] = -1;
      for (; p >= 0; p = next[p]) {
        const uint8_t* a = t + p;
        const uint8_t* b = t + head;
        if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) continue;
        std::size_t len = kMinCopy;
        while (len < cap && a[len] == b[len]) ++len;
        if (len > best_length) {
          best_length = len;
          best_pos = static_cast<std::size_t>(p);
          if (len == cap) break;
        }
      }
    }
    if (best_length >= kMinCopy) {
      emit.Copy(head - best_pos, best_length);
      head += best_length;
    } else {
      emit.Literal(t[head]);
      ++head;
    }
  }
  return emit.Finish();
}

}  // namespace nuvel
