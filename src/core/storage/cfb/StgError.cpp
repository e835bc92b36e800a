#include "StgError.h"

#include <cerrno>
#include <cstdio>

namespace qz::cfb {

std::string ResultName(HResult result) {
    struct Named {
        HResult Code;
        const char* Name;
    };
    static const Named names[] = {
        {S_OK, "S_OK"},
        {S_FALSE, "S_FALSE"},
        {STG_E_INVALIDFUNCTION, "STG_E_INVALIDFUNCTION"},
        {STG_E_FILENOTFOUND, "STG_E_FILENOTFOUND"},
        {STG_E_PATHNOTFOUND, "STG_E_PATHNOTFOUND"},
        {STG_E_TOOMANYOPENFILES, "STG_E_TOOMANYOPENFILES"},
        {STG_E_ACCESSDENIED, "STG_E_ACCESSDENIED"},
        {STG_E_INVALIDHANDLE, "STG_E_INVALIDHANDLE"},
        {STG_E_INSUFFICIENTMEMORY, "STG_E_INSUFFICIENTMEMORY"},
        {STG_E_INVALIDPOINTER, "STG_E_INVALIDPOINTER"},
        {STG_E_NOMOREFILES, "STG_E_NOMOREFILES"},
        {STG_E_DISKISWRITEPROTECTED, "STG_E_DISKISWRITEPROTECTED"},
        {STG_E_SEEKERROR, "STG_E_SEEKERROR"},
        {STG_E_WRITEFAULT, "STG_E_WRITEFAULT"},
        {STG_E_READFAULT, "STG_E_READFAULT"},
        {STG_E_SHAREVIOLATION, "STG_E_SHAREVIOLATION"},
        {STG_E_LOCKVIOLATION, "STG_E_LOCKVIOLATION"},
        {STG_E_FILEALREADYEXISTS, "STG_E_FILEALREADYEXISTS"},
        {STG_E_INVALIDPARAMETER, "STG_E_INVALIDPARAMETER"},
        {STG_E_MEDIUMFULL, "STG_E_MEDIUMFULL"},
        {STG_E_INVALIDHEADER, "STG_E_INVALIDHEADER"},
        {STG_E_INVALIDNAME, "STG_E_INVALIDNAME"},
        {STG_E_UNKNOWN, "STG_E_UNKNOWN"},
        {STG_E_UNIMPLEMENTEDFUNCTION, "STG_E_UNIMPLEMENTEDFUNCTION"},
        {STG_E_INVALIDFLAG, "STG_E_INVALIDFLAG"},
        {STG_E_INUSE, "STG_E_INUSE"},
        {STG_E_REVERTED, "STG_E_REVERTED"},
        {STG_E_CANTSAVE, "STG_E_CANTSAVE"},
        {STG_E_OLDFORMAT, "STG_E_OLDFORMAT"},
        {STG_E_DOCFILECORRUPT, "STG_E_DOCFILECORRUPT"},
        {STG_E_DOCFILETOOLARGE, "STG_E_DOCFILETOOLARGE"},
    };
    for (const Named& n : names)
        if (n.Code == result)
            return n.Name;
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

HResult ResultFromErrno(int error, bool reading) {
    switch (error) {
    case 0:
        return S_OK;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return STG_E_MEDIUMFULL;
    case EROFS:
        return STG_E_DISKISWRITEPROTECTED;
    case EIO:
        return reading ? STG_E_READFAULT : STG_E_WRITEFAULT;
    case ENOMEM:
        return STG_E_INSUFFICIENTMEMORY;
    case EACCES:
    case EPERM:
        return STG_E_ACCESSDENIED;
    case EISDIR:
    case ENODEV:
    case ENXIO:
        return STG_E_INVALIDFUNCTION; // a folder, a FIFO, a device: not a file to open
    case ENOENT:
        return STG_E_FILENOTFOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
        return STG_E_PATHNOTFOUND;
    case EWOULDBLOCK:
        return STG_E_SHAREVIOLATION;
    case ENOLCK:
        return STG_E_LOCKVIOLATION;
    case EEXIST:
        return STG_E_FILEALREADYEXISTS;
    case EMFILE:
    case ENFILE:
        return STG_E_TOOMANYOPENFILES;
    default:
        return reading ? STG_E_READFAULT : STG_E_CANTSAVE;
    }
}

} // namespace qz::cfb
