#pragma once
// Asks the processor to start loading the cache line at `place` for reading,
// where the compiler offers a way to; elsewhere it does nothing. The address
// need not be valid: a fetch never faults.
namespace nuvel {

inline void PrefetchForRead(const void* place) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(place, 0, 3);
#else
  (void)place;
#endif
}

}  // namespace nuvel
