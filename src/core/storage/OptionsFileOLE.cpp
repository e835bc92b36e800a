#include "OptionsFileOLE.h"

namespace qz {

using cfb::Failed;
using cfb::HResult;

namespace {

struct OptionSpec {
    const char* Name;
    bool Default;
};

const OptionSpec Options[OptionCount] = {
    {"NewTransDateOption", false},
    {"FontWarn", true},
    {"ShowWelcome", true},
    {"AutoBak", false},
    {"Gradients", true},
    {"OpenToLast", true},
    {"IncludeDisabledInCalc", false},
    {"NewTransDisabled", true},
    {"BalanceEndDay", true},
    {"ShowActNoinTrans", false},
    {"GSTinTotals", true},
    {"PrintFilename", true},
    {"PrintDate", true},
    {"PrintBisName", true},
    {"PrintBisNumber", true},
    {"AutoCalcGST", true},
};

const char* const SetNames[2] = {"Default", "User"};

const char* const ReadErrorText =
    "There has been a disk error while reading the Worksheet options file.  Make sure your hard drive is free of "
    "errors.  You may need to re-install Quillmar Zudeduze to correct this error.";
const char* const WriteErrorText =
    "There has been a disk error while writing the Worksheet options file.  Make sure your hard drive is free of "
    "errors.  You may need to re-install Quillmar Zudeduze to correct this error.";

} // namespace

const char* const TOptionsManager::StreamNames[6] = {"TransactColumns", "MainActColumns", "SubActColumns",
                                                     "GroupColumns",    "CatColumns",     "GridProperties"};

TOptionsManager::TOptionsManager(Registry& registry, Prompts& prompts, std::array<TGridInfo, 5>& sets,
                                 TGridProperties& grid, std::string installDir, cfb::TFileSystem& fs)
    : Values(registry), Ask(prompts), Sets(sets), Grid(grid), Install(std::move(installDir)), Fs(fs) {
    if (Install.empty())
        Ask.MessageBox("Unable to determine intallation dir.  Re-Install Ombriith Books to fix this", MsgKind::Error,
                       MsgButtons::Ok);
    Path = OptionsPathFor(1024);
}

const char* TOptionsManager::OptionName(int index) {
    return index >= 0 && index < OptionCount ? Options[index].Name : "";
}

bool TOptionsManager::OptionDefault(int index) {
    return index >= 0 && index < OptionCount && Options[index].Default;
}

bool TOptionsManager::ReadOption(int index, bool fallback) {
    if (index < 0 || index >= OptionCount)
        return fallback;
    int value = 0;
    if (!Values.ReadInteger(Options[index].Name, value)) {
        value = Options[index].Default ? 1 : 0;
        Values.WriteInteger(Options[index].Name, value);
    }
    return value != 0;
}

void TOptionsManager::WriteOption(int index, bool value) {
    if (index >= 0 && index < OptionCount)
        Values.WriteInteger(Options[index].Name, value ? 1 : 0);
}

TWindowPlacement TOptionsManager::LoadWindowPlacement() {
    TWindowPlacement placement;
    int x = 0;
    if (!Values.ReadInteger("WindowX", x)) {
        Values.WriteInteger("WindowState", placement.State);
        Values.WriteInteger("WindowX", placement.X);
        Values.WriteInteger("WindowY", placement.Y);
        Values.WriteInteger("WindowWidth", placement.Width);
        Values.WriteInteger("WindowHeight", placement.Height);
    }
    Values.ReadInteger("WindowState", placement.State);
    Values.ReadInteger("WindowX", placement.X);
    Values.ReadInteger("WindowY", placement.Y);
    Values.ReadInteger("WindowWidth", placement.Width);
    Values.ReadInteger("WindowHeight", placement.Height);
    return placement;
}

// A maximised window keeps the position it has when it is restored.
void TOptionsManager::SaveWindowPlacement(const TWindowPlacement& placement) {
    if (placement.State == 1)
        return;
    Values.WriteInteger("WindowState", placement.State);
    if (placement.State == 2)
        return;
    Values.WriteInteger("WindowX", placement.X);
    Values.WriteInteger("WindowY", placement.Y);
    Values.WriteInteger("WindowWidth", placement.Width);
    Values.WriteInteger("WindowHeight", placement.Height);
}

int TOptionsManager::InUse() {
    int set = 0;
    if (!Values.ReadInteger("Options", set)) {
        set = 0;
        Values.WriteInteger("Options", set);
    }
    return set == 1 ? 1 : 0;
}

void TOptionsManager::SetInUse(int set) {
    SetInUseValue = set == 1 ? 1 : 0;
    Values.WriteInteger("Options", SetInUseValue);
}

std::string TOptionsManager::OptionsPathFor(int screenWidth) const {
    const char* name = screenWidth <= 640 ? "Options640.Dat" : screenWidth <= 800 ? "Options.Dat" : "Options1024.Dat";
    return (Install.empty() ? std::string() : Install) + "/" + name;
}

void TOptionsManager::ReadError() {
    // In palette mode the sets fall back to the fixed colours, which need no palette.
    if (Colours == TColourClass::Palette256)
        for (int view = 0; view < ViewCount; ++view)
            ApplySixteenColourScheme(Sets[static_cast<std::size_t>(view)].ColInfo, view);
    Ask.MessageBox(ReadErrorText, MsgKind::Error, MsgButtons::Ok);
    Faulty = true;
}

void TOptionsManager::WriteError() {
    Ask.MessageBox(WriteErrorText, MsgKind::Error, MsgButtons::Ok);
    Faulty = true;
}

bool TOptionsManager::EnsureOptionsFile() {
    if (Fs.Exists(Path))
        return true;
    std::unique_ptr<cfb::TCompoundFile> file;
    if (Failed(cfb::TCompoundFile::Create(Path, file, Fs))) {
        Ask.MessageBox("Unable to create Structured storage file.", MsgKind::Error, MsgButtons::Ok);
        return false;
    }
    for (const char* setName : SetNames) {
        cfb::TStorage storage;
        if (Failed(file->Root().CreateStorage(setName, storage))) {
            Ask.MessageBox("Unable to create Structured storage sub file.", MsgKind::Error, MsgButtons::Ok);
            return false;
        }
        for (const char* streamName : StreamNames) {
            cfb::TStream stream;
            if (Failed(storage.CreateStream(streamName, stream))) {
                Ask.MessageBox("Unable to create Structured storage sub file.", MsgKind::Error, MsgButtons::Ok);
                return false;
            }
        }
    }
    if (Failed(file->Commit())) {
        Ask.MessageBox("Unable to create Structured storage file.", MsgKind::Error, MsgButtons::Ok);
        return false;
    }
    file.reset();
    return SaveSet(0) && SaveSet(1);
}

void TOptionsManager::LoadWorksheetSettings() {
    EnsureOptionsFile();
    LoadSet(InUse());
}

// Reads into copies first: a set that cannot be read whole leaves the grid as it was.
bool TOptionsManager::LoadSet(int set) {
    SetInUseValue = set == 1 ? 1 : 0;
    std::unique_ptr<cfb::TCompoundFile> file;
    cfb::TStorage storage;
    if (Failed(cfb::TCompoundFile::Open(Path, cfb::StgAccess::ReadWrite, file, Fs)) ||
        Failed(file->Root().OpenStorage(SetNames[SetInUseValue], storage))) {
        ReadError();
        return false;
    }
    std::array<TColumns, 5> loaded;
    for (int view = 0; view < ViewCount; ++view) {
        TColumns columns = Sets[static_cast<std::size_t>(view)].ColInfo;
        cfb::TStream stream;
        std::string data;
        if (Failed(storage.OpenStream(StreamNames[view], stream)) || Failed(stream.ReadAll(data)) ||
            data.size() < std::size_t(columns.Count()) * ColumnRecordSize) {
            ReadError();
            return false;
        }
        for (std::int32_t i = 0; i < columns.Count(); ++i)
            DecodeColumn(reinterpret_cast<const std::uint8_t*>(data.data()) + std::size_t(i) * ColumnRecordSize,
                         columns[i]);
        ApplyColourClass(columns, view, Colours);
        loaded[static_cast<std::size_t>(view)] = std::move(columns);
    }
    for (int view = 0; view < ViewCount; ++view)
        Sets[static_cast<std::size_t>(view)].ColInfo = std::move(loaded[static_cast<std::size_t>(view)]);
    cfb::TStream properties;
    std::string data;
    if (cfb::Succeeded(storage.OpenStream(StreamNames[5], properties)) && cfb::Succeeded(properties.ReadAll(data)) &&
        data.size() >= GridPropertiesSize)
        DecodeGridProperties(reinterpret_cast<const std::uint8_t*>(data.data()), Grid);
    if (SetInUseValue == 0 && FitDefaults)
        FitDefaults(Sets);
    return true;
}

bool TOptionsManager::SaveSet(int set) {
    const int which = set == 1 ? 1 : 0;
    std::unique_ptr<cfb::TCompoundFile> file;
    cfb::TStorage storage;
    if (Failed(cfb::TCompoundFile::Open(Path, cfb::StgAccess::ReadWrite, file, Fs)) ||
        Failed(file->Root().OpenStorage(SetNames[which], storage))) {
        WriteError();
        return false;
    }
    for (int view = 0; view < ViewCount; ++view) {
        TColumns& columns = Sets[static_cast<std::size_t>(view)].ColInfo;
        columns.WidthsToDefaults();
        std::vector<std::uint8_t> data(std::size_t(columns.Count()) * ColumnRecordSize);
        for (std::int32_t i = 0; i < columns.Count(); ++i)
            EncodeColumn(columns[i], Colours, data.data() + std::size_t(i) * ColumnRecordSize);
        cfb::TStream stream;
        if (Failed(storage.OpenStream(StreamNames[view], stream)) ||
            Failed(stream.WriteAt(0, data.data(), static_cast<std::uint32_t>(data.size())))) {
            WriteError();
            return false;
        }
    }
    std::uint8_t properties[GridPropertiesSize];
    EncodeGridProperties(Grid, properties);
    cfb::TStream stream;
    if (Failed(storage.OpenStream(StreamNames[5], stream)) ||
        Failed(stream.WriteAt(0, properties, GridPropertiesSize)) || Failed(file->Commit())) {
        WriteError();
        return false;
    }
    return true;
}

void TOptionsManager::DisplayChanged(int screenWidth) {
    const std::string path = OptionsPathFor(screenWidth);
    if (path == Path)
        return;
    Path = path;
    LoadSet(SetInUseValue);
}

} // namespace qz
