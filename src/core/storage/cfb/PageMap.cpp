#include "PageMap.h"

#include <algorithm>
#include <bit>
#include <mutex>

namespace qz::cfb {

namespace {

constexpr std::size_t BlockBytes = 64 * 1024;
// What Clear keeps in the map for its next commit.
constexpr std::size_t KeptBytes = 8 * 1024 * 1024;
// What the pool keeps for any map, of this file or the next one: a copy of a book of 100k
// transactions.
constexpr std::size_t PooledBytes = 64 * 1024 * 1024;
constexpr std::size_t FirstCapacity = 64;

// Fibonacci hashing: the top bits of the page number times 2^64 / golden ratio.
std::size_t Home(std::uint32_t page, std::size_t capacity) {
    return static_cast<std::size_t>((std::uint64_t(page) * 0x9E3779B97F4A7C15ull) >> (64 - std::countr_zero(capacity)));
}

// Blocks given back by the maps, kept for the next ones: memory fresh from the system costs a
// fault per 4 KiB at first touch, which for a commit of tens of thousands of pages weighs as
// much as writing them. Never destroyed, so that a map destroyed late at exit still finds it.
class TBlockPool {
public:
    static TBlockPool& Instance() {
        static TBlockPool* pool = new TBlockPool;
        return *pool;
    }
    std::unique_ptr<std::uint8_t[]> Take() {
        {
            const std::lock_guard<std::mutex> lock(Guard);
            if (!Free.empty()) {
                std::unique_ptr<std::uint8_t[]> block = std::move(Free.back());
                Free.pop_back();
                return block;
            }
        }
        return std::make_unique_for_overwrite<std::uint8_t[]>(BlockBytes);
    }
    void Give(std::vector<std::unique_ptr<std::uint8_t[]>>& blocks, std::size_t keep) {
        const std::lock_guard<std::mutex> lock(Guard);
        while (blocks.size() > keep) {
            if (Free.size() < PooledBytes / BlockBytes)
                Free.push_back(std::move(blocks.back()));
            blocks.pop_back();
        }
    }

private:
    std::mutex Guard;
    std::vector<std::unique_ptr<std::uint8_t[]>> Free;
};

} // namespace

TPageMap::~TPageMap() {
    TBlockPool::Instance().Give(Blocks, 0);
}

void TPageMap::SetPageSize(std::uint32_t pageSize) {
    if (pageSize == PageBytes || !Held.empty())
        return;
    PageBytes = pageSize;
    // Blocks are of one size for every page size; only the table depends on it.
    Table = std::vector<TEntry>();
}

std::uint8_t* TPageMap::Slot(std::uint32_t index) const {
    const std::size_t perBlock = BlockBytes / PageBytes;
    return Blocks[index / perBlock].get() + (index % perBlock) * PageBytes;
}

std::uint8_t* TPageMap::Find(std::uint32_t page) const {
    if (Held.empty())
        return nullptr;
    const std::size_t mask = Table.size() - 1;
    for (std::size_t i = Home(page, Table.size());; i = (i + 1) & mask) {
        if (Table[i].Slot == 0)
            return nullptr;
        if (Table[i].Page == page)
            return Slot(Table[i].Slot - 1);
    }
}

// Doubles the table (kept at most half full, so that a probe ends soon).
void TPageMap::Grow() {
    const std::size_t capacity = Table.empty() ? FirstCapacity : Table.size() * 2;
    Table.assign(capacity, TEntry{});
    for (std::size_t slot = 0; slot < Held.size(); ++slot) {
        std::size_t i = Home(Held[slot], capacity);
        while (Table[i].Slot != 0)
            i = (i + 1) & (capacity - 1);
        Table[i] = {Held[slot], static_cast<std::uint32_t>(slot + 1)};
    }
}

std::uint8_t* TPageMap::Insert(std::uint32_t page, bool& added) {
    added = false;
    if ((Held.size() + 1) * 2 > Table.size())
        Grow();
    const std::size_t mask = Table.size() - 1;
    std::size_t i = Home(page, Table.size());
    for (; Table[i].Slot != 0; i = (i + 1) & mask)
        if (Table[i].Page == page)
            return Slot(Table[i].Slot - 1);
    const auto slot = static_cast<std::uint32_t>(Held.size());
    const std::size_t perBlock = BlockBytes / PageBytes;
    if (slot / perBlock >= Blocks.size())
        Blocks.push_back(TBlockPool::Instance().Take());
    Held.push_back(page);
    Table[i] = {page, slot + 1};
    added = true;
    return Slot(slot);
}

std::vector<std::uint32_t> TPageMap::SortedPages() const {
    std::vector<std::uint32_t> pages = Held;
    std::sort(pages.begin(), pages.end());
    return pages;
}

void TPageMap::Clear() {
    if (Held.empty())
        return;
    TBlockPool::Instance().Give(Blocks, KeptBytes / BlockBytes);
    // A table grown far beyond a usual commit starts small again.
    if (Table.size() > 4 * KeptBytes / PageBytes)
        Table = std::vector<TEntry>();
    else
        std::fill(Table.begin(), Table.end(), TEntry{});
    Held.clear();
}

} // namespace qz::cfb
