#pragma once
// Work cut into parts that worker threads do in any order while the calling
// thread hands the parts out and takes the finished ones back in order: for
// a long pass over a text (converting a file's paragraphs on save) whose
// results must come out in the text's order. Parts are handed out at most
// `window` ahead of the one taken back, so the parts waiting hold little
// memory; the caller keeps each part's data in slot `part % window`.
#include <cstddef>
#include <functional>

namespace nuvel::platform {

struct OrderedWork {
  // On the calling thread, in order: makes part `part` ready for a worker;
  // false when there is no such part (the work has no more).
  std::function<bool(std::size_t part)> prepare;
  // On a worker thread: does part `part`; `worker` (0 to workers - 1) names
  // the worker, for buffers of its own. What it throws is thrown on by
  // RunOrderedWork when the calling thread comes to that part.
  std::function<void(std::size_t part, std::size_t worker)> work;
  // On the calling thread, in order: takes part `part` back; false stops
  // the work (no more parts are handed out).
  std::function<bool(std::size_t part)> finish;
};

// The worker threads a pass of this kind may use on this machine: one less
// than the processors, at most `most`; 0 on a machine of one processor.
std::size_t OrderedWorkers(std::size_t most);

// Runs `steps` with `workers` threads (none: all on the calling thread) and
// at most `window` parts (at least 1) handed out and not yet taken back.
// False when `finish` stopped it. Every worker has ended when it returns.
bool RunOrderedWork(const OrderedWork& steps, std::size_t workers, std::size_t window);

}  // namespace nuvel::platform
