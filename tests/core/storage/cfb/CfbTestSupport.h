#pragma once
// Shared helpers of the container tests: a fresh folder per test, whole-stream reads, a
// listing of every stream for comparisons, and the independent reader.

#include "storage/cfb/CompoundFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace qz::cfb::testing {

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};

std::string Bytes(std::size_t size, unsigned seed);

// Every stream of the storage, by path ("Sub/Name"), with its contents; storages as "Sub/".
std::map<std::string, std::string> Contents(TStorage storage, const std::string& prefix = "");
std::map<std::string, std::string> ContentsOf(const std::string& path);

// "" when both hold the same storages and streams with the same bytes; otherwise a short
// account of the first differences (names, sizes, first differing offset).
std::string Differences(const std::map<std::string, std::string>& actual,
                        const std::map<std::string, std::string>& expected);

// Writes `data` as the whole stream `name` of `storage`.
void PutStream(TStorage& storage, const std::string& name, const std::string& data);

// Has the independent reader (python3-olefile) check the file strictly and compare it with
// `contents` byte for byte; "OK", or what it found wrong.
std::string OleCheck(const std::string& path, const std::map<std::string, std::string>& contents);

#define EXPECT_S_OK(expr) EXPECT_EQ(::qz::cfb::ResultName(expr), "S_OK")
#define ASSERT_S_OK(expr) ASSERT_EQ(::qz::cfb::ResultName(expr), "S_OK")

} // namespace qz::cfb::testing
