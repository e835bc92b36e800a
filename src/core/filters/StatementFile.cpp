#include "StatementFile.h"

#include "OfxReader.h"
#include "QifReader.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace qz {

TStatementType DetectStatementType(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(4096, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    if (TOfxReader::LooksLikeOfx(start))
        return TStatementType::Ofx;
    if (TQifReader::LooksLikeQif(start))
        return TStatementType::Qif;
    // A file named as OFX or QIF that does not start as one is refused by its own reader, with
    // its reason, rather than read as CSV.
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".ofx" || extension == ".qfx")
        return TStatementType::Ofx;
    if (extension == ".qif")
        return TStatementType::Qif;
    return TStatementType::Csv;
}

TStatement ReadStatement(const std::string& path, const TStatementOptions& options) {
    const TStatementType type = options.Type == TStatementType::Detect ? DetectStatementType(path) : options.Type;
    switch (type) {
    case TStatementType::Ofx:
        return TOfxReader().ReadFile(path);
    case TStatementType::Qif:
        return TQifReader(options.Order, options.Csv.DecimalMark).ReadFile(path);
    default: {
        TCsvOptions csv = options.Csv;
        csv.Order = options.Order;
        return TCsvReader(csv).ReadFile(path);
    }
    }
}

} // namespace qz
