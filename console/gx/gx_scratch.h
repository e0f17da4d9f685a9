// Scratch arrays reused from draw to draw. They only ever grow: a vector sized
// down and up again would construct its elements afresh each time.
#pragma once

#include <cstddef>
#include <vector>

#include "console/host_services.h"

namespace console::gx {

// At least `count` elements, their values left from earlier use.
template <typename T>
T* Scratch(std::vector<T>& buffer, std::size_t count) {
    if (buffer.size() < count) {
        HostMemoryScope hostMemory;
        buffer.resize(count);
    }
    return buffer.data();
}

}  // namespace console::gx
