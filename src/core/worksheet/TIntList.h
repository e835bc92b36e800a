#pragma once
// A small list of 32-bit integers, used by the editors.

#include <cstdint>
#include <vector>

namespace qz {

class TIntList {
public:
    void Add(std::int32_t value) { Values.push_back(value); }
    void Insert(std::int32_t index, std::int32_t value) { Values.insert(Values.begin() + index, value); }
    void Clear() { Values.clear(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(Values.size()); }
    std::int32_t Get(std::int32_t index) const { return Values.at(static_cast<std::size_t>(index)); }
    void Set(std::int32_t index, std::int32_t value) { Values.at(static_cast<std::size_t>(index)) = value; }

private:
    std::vector<std::int32_t> Values;
};

} // namespace qz
