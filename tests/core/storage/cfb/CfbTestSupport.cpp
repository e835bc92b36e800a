#include "CfbTestSupport.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

#ifndef QZ_TEST_TOOLS
#define QZ_TEST_TOOLS "tests/tools"
#endif

namespace qz::cfb::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "qz-cfb-XXXXXX").string();
    Path = ::mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
}

std::string Bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string data(size, '\0');
    for (char& c : data)
        c = static_cast<char>(random() & 0xFF);
    return data;
}

std::map<std::string, std::string> Contents(TStorage storage, const std::string& prefix) {
    std::map<std::string, std::string> contents;
    std::vector<TStatStg> elements;
    EXPECT_S_OK(storage.EnumElements(elements));
    for (const TStatStg& element : elements) {
        const std::string path = prefix + element.Name;
        if (element.Type == EntryType::Storage) {
            contents[path + "/"] = "";
            TStorage child;
            EXPECT_S_OK(storage.OpenStorage(element.Name, child));
            contents.merge(Contents(child, path + "/"));
        } else {
            TStream stream;
            EXPECT_S_OK(storage.OpenStream(element.Name, stream));
            EXPECT_S_OK(stream.ReadAll(contents[path]));
        }
    }
    return contents;
}

std::map<std::string, std::string> ContentsOf(const std::string& path) {
    std::unique_ptr<TCompoundFile> file;
    const HResult result = TCompoundFile::Open(path, StgAccess::ReadOnly, file);
    EXPECT_S_OK(result) << path;
    return Succeeded(result) ? Contents(file->Root()) : std::map<std::string, std::string>{};
}

std::string Differences(const std::map<std::string, std::string>& actual,
                        const std::map<std::string, std::string>& expected) {
    std::string report;
    for (const auto& [name, data] : expected) {
        auto it = actual.find(name);
        if (it == actual.end()) {
            report += "missing " + name + "; ";
        } else if (it->second != data) {
            std::size_t at = 0;
            while (at < data.size() && at < it->second.size() && data[at] == it->second[at])
                ++at;
            report += name + ": " + std::to_string(it->second.size()) + " bytes for " + std::to_string(data.size()) +
                      ", first difference at " + std::to_string(at) + "; ";
        }
    }
    for (const auto& [name, data] : actual)
        if (!expected.count(name))
            report += "unexpected " + name + "; ";
    return report;
}

void PutStream(TStorage& storage, const std::string& name, const std::string& data) {
    TStream stream;
    ASSERT_S_OK(storage.CreateStream(name, stream));
    ASSERT_S_OK(stream.Write(data.data(), static_cast<std::uint32_t>(data.size())));
}

std::string OleCheck(const std::string& path, const std::map<std::string, std::string>& contents) {
    TempFolder expected;
    std::ofstream storages(expected.File("storages.txt"));
    for (const auto& [name, data] : contents) {
        if (!name.empty() && name.back() == '/') {
            storages << name.substr(0, name.size() - 1) << "\n";
            continue;
        }
        std::string fileName = name;
        for (std::size_t at; (at = fileName.find('/')) != std::string::npos;)
            fileName.replace(at, 1, "%2F");
        std::ofstream(expected.File(fileName), std::ios::binary) << data;
    }
    storages.close();
    const std::string command =
        "/usr/bin/python3 " QZ_TEST_TOOLS "/olecheck.py '" + path + "' '" + expected.Path.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        ::pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

} // namespace qz::cfb::testing
