#include "formats/lines_read_ahead.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace nuvel {
namespace {

// The paragraphs of a part, one after another, and where each ends.
struct TPartText {
  std::vector<uint8_t> text;
  std::vector<uint32_t> ends;
};

// What a worker made of one part of the file.
struct TPart {
  std::size_t begin = 0, end = 0;  // the part's bytes in the input
  TPartText out;
  uint64_t nulBytes = 0, splitLines = 0, crLineEnds = 0, lfLineEnds = 0;
  bool nulSeen = false;
  std::exception_ptr failure;
  bool ready = false;
};

// Part ends: after the first LF at or past each multiple of the part size.
// Every LF ends a line, so each part starts at the start of a line.
std::vector<std::size_t> PartEnds(std::span<const uint8_t> data, std::size_t partBytes) {
  std::vector<std::size_t> ends;
  std::size_t at = 0;
  while (at < data.size()) {
    std::size_t end = data.size();
    if (data.size() - at > partBytes) {
      const auto* lf = static_cast<const uint8_t*>(std::memchr(data.data() + at + partBytes, '\n', data.size() - at - partBytes));
      if (lf != nullptr) end = static_cast<std::size_t>(lf - data.data()) + 1;
    }
    ends.push_back(end);
    at = end;
  }
  return ends;
}

// The input of one part: its bytes all text (only the file's end is
// trimmed), with the file's line-end byte.
TReaderInput PartInput(const TReaderInput& whole, const TPart& part) {
  TReaderInput in(whole.data.subspan(part.begin, part.end - part.begin));
  in.data = in.file;
  in.lineEndChar = whole.lineEndChar;
  return in;
}

// What reading the part noted.
void NoteRead(const TReaderInput& in, TPart& part) {
  part.nulBytes = in.nulBytes;
  part.nulSeen = in.nulSeen;
  part.crLineEnds = in.crLineEnds;
  part.lfLineEnds = in.lfLineEnds;
}

void ReadPart(const TReaderInput& whole, TPart& part, TParagraphInConversion& conversion, bool trim) {
  TReaderInput in = PartInput(whole, part);
  // Converting in and dropping blanks never lengthens a line.
  part.out.text.clear();
  part.out.ends.clear();
  part.out.text.reserve(part.end - part.begin);
  std::vector<uint8_t> line, converted;
  while (!in.AtEnd()) {
    line.clear();
    if (ReadLine(in, line, kLineBufferSize).cut) ++part.splitLines;
    const std::span<const uint8_t> text = trim ? WithoutTrailingBlanks(line) : std::span<const uint8_t>(line);
    if (!text.empty()) {
      conversion.Convert(text, converted);
      part.out.text.insert(part.out.text.end(), converted.begin(), converted.end());
    }
    part.out.ends.push_back(static_cast<uint32_t>(part.out.text.size()));
  }
  NoteRead(in, part);
}

// What reading the first `lines` lines of a part notes, and where they end:
// for a part whose appending stopped at its line `lines`.
void ReadPartLines(const TReaderInput& whole, TPart& part, std::size_t lines) {
  TReaderInput in = PartInput(whole, part);
  std::vector<uint8_t> line;
  part.splitLines = 0;
  for (std::size_t i = 0; i < lines && !in.AtEnd(); ++i) {
    line.clear();
    if (ReadLine(in, line, kLineBufferSize).cut) ++part.splitLines;
  }
  NoteRead(in, part);
  part.end = part.begin + in.pos;
}

std::size_t Workers() {
  const unsigned n = std::thread::hardware_concurrency();
  return std::clamp<std::size_t>(n > 1 ? n - 1 : 0, 0, 6);
}

}  // namespace

bool WorthReadingAhead(const TReaderInput& in, std::size_t partBytes) {
  return Workers() > 0 && in.data.size() - std::min(in.pos, in.data.size()) >= 4 * partBytes;
}

uint16_t ReadLinesAhead(TReaderInput& in, TParaSink& sink, const TMakeInConversion& make, TConvertReport& report,
                        std::size_t partBytes) {
  const std::size_t start = std::min(in.pos, in.data.size());
  std::vector<TPart> parts;
  std::size_t at = start;
  for (const std::size_t end : PartEnds(in.data.subspan(start), std::max<std::size_t>(partBytes, 1))) {
    TPart& p = parts.emplace_back();
    p.begin = at;
    p.end = start + end;
    at = p.end;
  }
  const bool trim = sink.TrimsTrailingBlanks();
  const std::size_t workers = std::max<std::size_t>(1, std::min(Workers(), parts.size()));
  // Made here, as a conversion reads the shared conversion state as it is
  // made; they go in the reverse of that order, each giving back the state
  // it found.
  struct TConversions {
    std::vector<std::unique_ptr<TParagraphInConversion>> made;
    ~TConversions() {
      while (!made.empty()) made.pop_back();
    }
  } conversions;
  for (std::size_t w = 0; w < workers; ++w) conversions.made.push_back(make());

  // Workers take parts in order, at most `window` parts ahead of the one
  // being appended, so that finished parts waiting hold little memory.
  const std::size_t window = workers + 2;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;      // the next part a worker takes
  std::size_t appending = 0;  // the part the calling thread appends
  bool stop = false;
  // Buffers of appended parts, reused by the parts read next, so that the
  // memory held stays that of the parts in the window.
  std::vector<TPartText> spare;
  auto work = [&](TParagraphInConversion& conversion) {
    for (;;) {
      std::size_t k = 0;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || next >= parts.size() || next < appending + window; });
        if (stop || next >= parts.size()) return;
        k = next++;
        if (!spare.empty()) {
          parts[k].out = std::move(spare.back());
          spare.pop_back();
        }
      }
      TPart& part = parts[k];
      try {
        ReadPart(in, part, conversion, trim);
      } catch (...) {
        part.failure = std::current_exception();
      }
      {
        std::lock_guard lock(mutex);
        part.ready = true;
      }
      changed.notify_all();
    }
  };
  // The workers are stopped and joined whichever way the appending ends,
  // before their conversions go.
  struct TWorkers {
    std::mutex& mutex;
    std::condition_variable& changed;
    bool& stop;
    std::vector<std::thread> threads;
    void Join() {
      {
        std::lock_guard lock(mutex);
        stop = true;
      }
      changed.notify_all();
      for (std::thread& t : threads) {
        if (t.joinable()) t.join();
      }
    }
    ~TWorkers() { Join(); }
  } pool{mutex, changed, stop, {}};
  // Where the system gives no more threads (a memory limit), fewer workers
  // read ahead; with none, the calling thread reads each part itself.
  for (std::size_t w = 0; w < workers; ++w) {
    try {
      pool.threads.emplace_back(work, std::ref(*conversions.made[w]));
    } catch (const std::system_error&) {
      break;
    }
  }
  const bool alone = pool.threads.empty();

  uint16_t error = 0;
  for (std::size_t k = 0; k < parts.size() && error == 0; ++k) {
    TPart& part = parts[k];
    if (alone) {
      if (!spare.empty()) {
        part.out = std::move(spare.back());
        spare.pop_back();
      }
      ReadPart(in, part, *conversions.made.front(), trim);
    } else {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return part.ready; });
    }
    if (part.failure) std::rethrow_exception(part.failure);
    uint32_t from = 0;
    for (std::size_t i = 0; i < part.out.ends.size(); ++i) {
      const uint32_t end = part.out.ends[i];
      error = sink.AppendParaText(std::span<const uint8_t>(part.out.text).subspan(from, end - from));
      if (error != 0) {
        // Reading stops at the refused line, as reading line by line does.
        ReadPartLines(in, part, i + 1);
        break;
      }
      from = end;
    }
    in.nulBytes += part.nulBytes;
    in.nulSeen = in.nulSeen || part.nulSeen;
    in.splitLines += part.splitLines;
    in.crLineEnds += part.crLineEnds;
    in.lfLineEnds += part.lfLineEnds;
    in.pos = part.end;
    {
      std::lock_guard lock(mutex);
      spare.push_back(std::move(part.out));
      appending = k + 1;
    }
    changed.notify_all();
    in.Done();
  }
  pool.Join();
  TConvertReport merged = conversions.made.front()->Report();
  for (std::size_t w = 1; w < conversions.made.size(); ++w) {
    merged.changed = merged.changed || conversions.made[w]->Report().changed;
    merged.lostChars += conversions.made[w]->Report().lostChars;
  }
  report = merged;
  return error;
}

}  // namespace nuvel
