// The page buffers held between commits: each page keeps its own buffer and bytes while the
// table grows and blocks are added, and a cleared map starts empty and works again.

#include "storage/cfb/PageMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace qz::cfb {
namespace {

void Fill(std::uint8_t* buffer, std::uint32_t size, std::uint32_t page) {
    for (std::uint32_t i = 0; i < size; ++i)
        buffer[i] = static_cast<std::uint8_t>(page * 31 + i);
}

bool Holds(const std::uint8_t* buffer, std::uint32_t size, std::uint32_t page) {
    for (std::uint32_t i = 0; i < size; ++i)
        if (buffer[i] != static_cast<std::uint8_t>(page * 31 + i))
            return false;
    return true;
}

TEST(PageMap, PagesKeepTheirBuffersAndBytesAsTheMapGrows) {
    for (std::uint32_t pageSize : {512u, 4096u}) {
        SCOPED_TRACE(pageSize);
        TPageMap map;
        map.SetPageSize(pageSize);
        std::map<std::uint32_t, std::uint8_t*> buffers;
        // Pages that collide in a small table (multiples of its size), neighbours and far ones.
        for (int round = 0; round < 2; ++round) {
            // The last 300 insert pages held already.
            for (std::uint32_t n = 0; n < 3300; ++n) {
                const std::uint32_t k = n % 3000;
                const std::uint32_t page = k % 3 == 0 ? k * 64 : k % 3 == 1 ? 100000 + k : 0xFFFFFFF0u - k;
                bool added = false;
                std::uint8_t* buffer = map.Insert(page, added);
                EXPECT_EQ(added, !buffers.count(page));
                if (added) {
                    Fill(buffer, pageSize, page);
                    buffers[page] = buffer;
                } else {
                    EXPECT_EQ(buffer, buffers[page]);
                }
            }
            ASSERT_EQ(map.Size(), buffers.size());
            for (const auto& [page, buffer] : buffers) {
                ASSERT_EQ(map.Find(page), buffer) << page;
                ASSERT_TRUE(Holds(buffer, pageSize, page)) << page;
            }
            EXPECT_EQ(map.Find(1), nullptr);
            EXPECT_EQ(map.Find(100000 + 3000), nullptr);
            std::vector<std::uint32_t> expected;
            for (const auto& entry : buffers)
                expected.push_back(entry.first);
            EXPECT_EQ(map.SortedPages(), expected);
            map.Clear();
            buffers.clear();
            EXPECT_TRUE(map.Empty());
            EXPECT_EQ(map.Find(64 * 3), nullptr) << "a cleared map holds nothing";
        }
    }
}

} // namespace
} // namespace qz::cfb
