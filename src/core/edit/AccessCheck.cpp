#include "AccessCheck.h"

namespace qz {

bool TAccessCheck::Guarded(const TFileSettings& settings, TAccessArea area) {
    switch (area) {
    case TAccessArea::Deleting:
        return settings.ProtectDelete != 0;
    case TAccessArea::Adding:
        return settings.ProtectAdd != 0;
    case TAccessArea::Editing:
        return settings.ProtectEdit != 0;
    case TAccessArea::Worksheet:
        return settings.ProtectWorksheet != 0;
    case TAccessArea::Reports:
        return settings.ProtectReports != 0;
    case TAccessArea::Printing:
        return settings.ProtectPrint != 0;
    case TAccessArea::PasswordPage:
        return !settings.Password.empty();
    case TAccessArea::FileOpening:
        return settings.ProtectOpen != 0;
    }
    return false;
}

bool TAccessCheck::Check(TAccessArea area) const {
    return !Guarded(area) || (Ask && Ask(Settings.Password));
}

bool TAccessCheck::Check(int area) const {
    area &= ~128;
    if (area < 0 || area > static_cast<int>(TAccessArea::FileOpening))
        return true;
    return Check(static_cast<TAccessArea>(area));
}

} // namespace qz
