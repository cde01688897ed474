#pragma once
// A large buffer filled at once (an opened batch of 15 MB, its decoded text) is otherwise
// faulted in 4 KB pages one by one; in a virtual machine each fault costs microseconds,
// together more than the decoding itself. 2 MB pages, where the system allows them on
// request, take that cost away.
#include <cstddef>

namespace vorlane {

// Call before the buffer is first written; small buffers are left alone.
void AdviseLargePages(const void *data, std::size_t bytes);

} // namespace vorlane
