#pragma once
// Counted lists in the archive: an element count (CArchive::ReadCount), then
// the elements one after the other.

#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/CArchive.h"

// Replaces `items` with a counted list read from the archive. The count is
// never larger than the bytes left, so numbers may be reserved for at once;
// texts are not, as damaged data could make that many times the file's size.
template <class T>
void ReadCountedList(CArchive& ar, std::vector<T>& items)
{
    const uint32_t count = ar.ReadCount();
    items.clear();
    if constexpr (std::is_arithmetic_v<T>)
        items.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        T item{};
        ar >> item;
        items.push_back(std::move(item));
    }
}
