#pragma once
// The user's settings: boolean options and the window placement as per-user values, and the
// worksheet options file holding two complete column layouts, "Default" and "User".

#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "storage/cfb/CompoundFile.h"
#include "worksheet/GridInfo.h"

#include <array>
#include <functional>
#include <string>

namespace qz {

enum TOptionIndex {
    OptNewTransDate = 0,
    OptFontWarn = 1,
    OptShowWelcome = 2,
    OptAutoBak = 3,
    OptGradients = 4,
    OptOpenToLast = 5,
    OptIncludeDisabledInCalc = 6,
    OptNewTransDisabled = 7,
    OptBalanceEndDay = 8,
    OptShowActNoinTrans = 9,
    OptGSTinTotals = 10,
    OptPrintFilename = 11,
    OptPrintDate = 12,
    OptPrintBisName = 13,
    OptPrintBisNumber = 14,
    OptAutoCalcGST = 15,
};
inline constexpr int OptionCount = 16;

struct TWindowPlacement {
    int State = 2; // 0 normal, 1 minimised, 2 maximised
    int X = 20;
    int Y = 20;
    int Width = 580;
    int Height = 400;
};

class TOptionsManager {
public:
    // `sets` are the five views' column sets and `grid` the grid's colour and font, owned by
    // the main window; `installDir` is the program's per-user folder.
    TOptionsManager(Registry& registry, Prompts& prompts, std::array<TGridInfo, 5>& sets, TGridProperties& grid,
                    std::string installDir, cfb::TFileSystem& fs = cfb::TFileSystem::Posix());

    static const char* OptionName(int index);
    static bool OptionDefault(int index);
    // A missing value is written with its default; an index outside the table answers
    // `fallback` and writes nothing.
    bool ReadOption(int index, bool fallback = false);
    void WriteOption(int index, bool value);

    TWindowPlacement LoadWindowPlacement();
    void SaveWindowPlacement(const TWindowPlacement& placement);

    int InUse();
    void SetInUse(int set);

    // The file for a screen of that width: Options640.Dat, Options.Dat or Options1024.Dat.
    std::string OptionsPathFor(int screenWidth) const;
    void SetScreenWidth(int screenWidth) { Path = OptionsPathFor(screenWidth); }
    const std::string& OptionsPath() const { return Path; }

    void LoadWorksheetSettings();
    bool EnsureOptionsFile();
    bool LoadSet(int set);
    bool SaveSet(int set);
    // After a change of screen resolution: another file, when the width band changed.
    void DisplayChanged(int screenWidth);

    const std::string& InstallDir() const { return Install; }
    std::string WizardFilesDir() const { return Install + "/Wizard Files"; }
    std::string ExampleDescDir() const { return Install + "/ExampleDesc"; }

    TColourClass Colours = TColourClass::TrueColour;
    bool Faulty = false;
    // Run on the five sets whenever the program's default set is loaded: the window widens
    // the default columns to what its fonts need. A set the user stored is kept as stored.
    std::function<void(std::array<TGridInfo, 5>& sets)> FitDefaults;

    static const char* const StreamNames[6];

private:
    void ReadError();
    void WriteError();

    Registry& Values;
    Prompts& Ask;
    std::array<TGridInfo, 5>& Sets;
    TGridProperties& Grid;
    std::string Install;
    std::string Path;
    int SetInUseValue = 0;
    cfb::TFileSystem& Fs;
};

} // namespace qz
