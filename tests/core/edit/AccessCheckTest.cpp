// The access check of protected commands: each area asks only when the document guards it.

#include "edit/AccessCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

TFileSettings Guarding(const std::string& password, std::uint8_t TFileSettings::*mark) {
    TFileSettings settings;
    settings.Password = password;
    if (mark)
        settings.*mark = 1;
    return settings;
}

// Every area against every mark, with and without a password, the password typed or not.
TEST(AccessCheck, AsksOnlyForTheAreaTheDocumentGuards) {
    using Mark = std::uint8_t TFileSettings::*;
    const std::pair<Mark, TAccessArea> marks[] = {
        {&TFileSettings::ProtectDelete, TAccessArea::Deleting},
        {&TFileSettings::ProtectAdd, TAccessArea::Adding},
        {&TFileSettings::ProtectEdit, TAccessArea::Editing},
        {&TFileSettings::ProtectWorksheet, TAccessArea::Worksheet},
        {&TFileSettings::ProtectReports, TAccessArea::Reports},
        {&TFileSettings::ProtectPrint, TAccessArea::Printing},
        {&TFileSettings::ProtectOpen, TAccessArea::FileOpening},
    };
    const TAccessArea areas[] = {TAccessArea::Deleting,     TAccessArea::Adding,     TAccessArea::Editing,
                                 TAccessArea::Worksheet,    TAccessArea::Reports,    TAccessArea::Printing,
                                 TAccessArea::PasswordPage, TAccessArea::FileOpening};
    for (const std::string password : {"", "pw"})
        for (const auto& [mark, markedArea] : marks)
            for (const TAccessArea area : areas)
                for (const bool typed : {true, false}) {
                    SCOPED_TRACE(password + " " + std::to_string(static_cast<int>(markedArea)) + " " +
                                 std::to_string(static_cast<int>(area)) + (typed ? " typed" : ""));
                    const TFileSettings settings = Guarding(password, mark);
                    std::vector<std::string> asked;
                    TAccessCheck check(settings, [&](const std::string& wanted) {
                        asked.push_back(wanted);
                        return typed;
                    });
                    const bool guarded = area == markedArea || (area == TAccessArea::PasswordPage && !password.empty());
                    EXPECT_EQ(check.Check(area), !guarded || typed);
                    EXPECT_EQ(asked, guarded ? std::vector<std::string>{password} : std::vector<std::string>{});
                }
}

// The commands' numbers: the high bit means nothing; a number that names no area passes.
TEST(AccessCheck, AreaNumbers) {
    const TFileSettings settings = Guarding("pw", &TFileSettings::ProtectEdit);
    int asked = 0;
    TAccessCheck check(settings, [&](const std::string&) {
        ++asked;
        return false;
    });
    EXPECT_FALSE(check.Check(2));
    EXPECT_FALSE(check.Check(2 | 128));
    EXPECT_TRUE(check.Check(1 | 128));
    EXPECT_FALSE(check.Check(6)) << "the password page: there is a password";
    EXPECT_TRUE(check.Check(99));
    EXPECT_EQ(asked, 3);
}

} // namespace
} // namespace qz
