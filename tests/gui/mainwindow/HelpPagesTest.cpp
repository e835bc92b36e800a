// The help pages: every topic a window asks for (its "&Help" button, F1) has its page among the
// shipped help pages, the help window shows it, and the pages' links lead to pages that exist.
// The topics are read from the windows' sources, so that a window given a new topic without a
// page fails here.

#include "mainwindow/HelpViewer.h"

#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace qz::gui::test {
namespace {

const std::string SourceDir = ZUDEDUZE_SOURCE_DIR;
const std::string HelpDir = SourceDir + "/data/Help";

std::string Text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The topic numbers in the windows' sources: the constants named ...HelpTopic, the numbers
// handed to ShowHelp, and those a HelpTopic() function returns.
std::set<int> TopicsInSources() {
    const std::regex constant(R"(HelpTopic\s*=\s*(\d+))");
    const std::regex shown(R"(ShowHelp\((\d+)\))");
    const std::regex function(R"(HelpTopic\(\) const \{\s*return ([^;]*);)");
    const std::regex number(R"(\b\d{4,5}\b)");
    std::set<int> topics;
    auto collect = [&topics](const std::string& text, const std::regex& pattern, const std::regex* inner) {
        for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
            const std::string found = (*it)[1];
            if (!inner) {
                topics.insert(std::stoi(found));
                continue;
            }
            for (auto n = std::sregex_iterator(found.begin(), found.end(), *inner); n != std::sregex_iterator(); ++n)
                topics.insert(std::stoi(n->str()));
        }
    };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SourceDir + "/src/gui")) {
        if (!entry.is_regular_file())
            continue;
        const std::string text = Text(entry.path());
        collect(text, constant, nullptr);
        collect(text, shown, nullptr);
        collect(text, function, &number);
    }
    return topics;
}

std::string TitleOf(const std::string& page) {
    std::smatch m;
    return std::regex_search(page, m, std::regex("<title>([^<]*)</title>")) ? m[1].str() : std::string();
}

TEST(HelpPages, EveryTopicTheWindowsAskForHasAPageTheHelpWindowShows) {
    const std::set<int> topics = TopicsInSources();
    // Each way a topic is written in the sources is found: a constant, a number handed to
    // ShowHelp, and the two answers of a HelpTopic() function.
    for (const int known : {26000, 2000, 14000, 16000, 16001, 31000, 32000, 22001, 30000})
        EXPECT_TRUE(topics.count(known)) << known << " was not found in the sources";

    THelpViewer viewer(nullptr, QString::fromStdString(HelpDir));
    for (const int topic : topics) {
        SCOPED_TRACE(topic);
        const std::string page = Text(HelpDir + "/" + std::to_string(topic) + ".htm");
        ASSERT_FALSE(page.empty()) << "no help page for topic " << topic;
        const std::string title = TitleOf(page);
        EXPECT_FALSE(title.empty());
        EXPECT_NE(page.find("<h2>"), std::string::npos);
        viewer.ShowTopic(topic);
        EXPECT_EQ(viewer.Browser()->documentTitle().toStdString(), title);
    }
}

TEST(HelpPages, LinksLeadToPagesThatExist) {
    const std::regex link(R"(href="([^"#:]+))");
    int links = 0;
    for (const auto& entry : std::filesystem::directory_iterator(HelpDir)) {
        const std::string page = Text(entry.path());
        for (auto it = std::sregex_iterator(page.begin(), page.end(), link); it != std::sregex_iterator(); ++it) {
            ++links;
            EXPECT_TRUE(std::filesystem::exists(HelpDir + "/" + (*it)[1].str()))
                << entry.path().filename() << " links to " << (*it)[1];
        }
    }
    EXPECT_GT(links, 0);
}

} // namespace
} // namespace qz::gui::test
