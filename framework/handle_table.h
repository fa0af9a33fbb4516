#pragma once
// HandleTable: what the framework keeps for each window handle, in a vector
// sorted by handle. The tables hold a few dozen windows at most, and a
// sorted vector needs no tree code in the device's runtime. A pointer or
// reference into the table lasts until the next insertion or erasure.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

template <class Value>
class HandleTable {
public:
    // The value kept for `handle`, or null when there is none.
    Value* Find(HWND handle)
    {
        const auto at = LowerBound(handle);
        return at != m_entries.end() && at->first == handle ? &at->second : nullptr;
    }

    // The value kept for `handle`, made empty first when there is none.
    Value& operator[](HWND handle)
    {
        auto at = LowerBound(handle);
        if (at == m_entries.end() || at->first != handle)
            at = m_entries.emplace(at, handle, Value{});
        return at->second;
    }

    void Erase(HWND handle)
    {
        const auto at = LowerBound(handle);
        if (at != m_entries.end() && at->first == handle)
            m_entries.erase(at);
    }

private:
    using Entry = std::pair<HWND, Value>;

    typename std::vector<Entry>::iterator LowerBound(HWND handle)
    {
        return std::lower_bound(m_entries.begin(), m_entries.end(), handle,
                                [](const Entry& entry, HWND key) { return std::less<HWND>()(entry.first, key); });
    }

    std::vector<Entry> m_entries;
};
