#pragma once
// The access check every protected command runs: when the document's mark guards the command's
// area, the user must type the document's password. The windows and the core's editing
// operations are handed one of these; the question itself goes to whatever the host provides
// (the password prompt in the window, a password given on the command line).

#include "storage/FileOLE.h"
#include "worksheet/WorksheetHost.h"

#include <functional>
#include <string>

namespace qz {

class TAccessCheck {
public:
    // True when the user typed `password` (letter case counts).
    using AskPassword = std::function<bool(const std::string& password)>;

    TAccessCheck(const TFileSettings& settings, AskPassword ask) : Settings(settings), Ask(std::move(ask)) {}

    // Whether the document guards `area` (the password page: whether there is a password).
    static bool Guarded(const TFileSettings& settings, TAccessArea area);
    bool Guarded(TAccessArea area) const { return Guarded(Settings, area); }

    // Passes without a question when the area is not guarded; otherwise asks for the password
    // and passes exactly when it was given.
    bool Check(TAccessArea area) const;
    // By the command's number, 0 to 7; the high bit (128) is ignored. A number that names no
    // area passes.
    bool Check(int area) const;

private:
    const TFileSettings& Settings;
    AskPassword Ask;
};

} // namespace qz
