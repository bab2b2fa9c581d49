#pragma once
// How much more memory the process may take: what its address-space limit leaves (ulimit
// -v), or what the machine has free, whichever is less.

#include <cstddef>

namespace orvane {

std::size_t memoryHeadroom();

} // namespace orvane
