#pragma once
// Page buffers of a compound file held in memory between commits, found by page number. A
// commit may touch tens of thousands of pages: their buffers come from large blocks, shared
// through a pool by every map, and are found through one open-addressing table, so that
// holding a page costs no allocation of its own and dropping them all costs a few.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace qz::cfb {

class TPageMap {
public:
    explicit TPageMap(std::uint32_t pageSize = 512) : PageBytes(pageSize) {}
    ~TPageMap();
    TPageMap(const TPageMap&) = delete;
    TPageMap& operator=(const TPageMap&) = delete;

    std::uint32_t PageSize() const { return PageBytes; }
    // Only while empty.
    void SetPageSize(std::uint32_t pageSize);

    // The page's buffer, or nullptr when the page is not held. Buffers stay where they are
    // until Clear.
    std::uint8_t* Find(std::uint32_t page) const;
    bool Contains(std::uint32_t page) const { return Find(page) != nullptr; }
    // The page's buffer, made when the page is not held yet (`added`; its bytes are then
    // undefined).
    std::uint8_t* Insert(std::uint32_t page, bool& added);

    std::size_t Size() const { return Held.size(); }
    bool Empty() const { return Held.empty(); }
    // The pages held, in ascending order.
    std::vector<std::uint32_t> SortedPages() const;
    // Drops every page; the memory of a usual commit is kept for the next one.
    void Clear();

private:
    std::uint8_t* Slot(std::uint32_t index) const;
    void Grow();

    std::uint32_t PageBytes;
    // Open addressing with linear probing: an entry holds a page when its Slot (the index of
    // the page's buffer + 1) is not 0.
    struct TEntry {
        std::uint32_t Page = 0;
        std::uint32_t Slot = 0;
    };
    std::vector<TEntry> Table;
    std::vector<std::uint32_t> Held; // the pages, in the order they came
    std::vector<std::unique_ptr<std::uint8_t[]>> Blocks;
};

} // namespace qz::cfb
