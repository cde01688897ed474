#pragma once
// A large buffer filled at once (an opened batch of 15 MB, its decoded text) is otherwise
// faulted in 4 KB pages one by one; in a virtual machine each fault costs microseconds,
// together more than the decoding itself. 2 MB pages, where the system allows them on
// request, take that cost away.
#include <cstddef>

namespace vorlane {

// Call before the buffer is first written; small buffers are left alone.
void AdviseLargePages(const void *data, std::size_t bytes);

// For a process that does one large job and exits (a command on the command line): freed
// memory stays with the process for the next allocation instead of going back to the
// system and being faulted in again, large blocks come from the heap rather than from
// fresh mappings, and the heap grows in large steps of 2 MB pages where the system allows
// them. Costs the process up to `bytes` more at its peak; not for the long-running program.
void KeepHeapForOneJob(std::size_t bytes);

} // namespace vorlane
