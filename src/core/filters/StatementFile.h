#pragma once
// A statement file read by the reader of its format, the format given or told from the
// content: OFX/QFX by its header, QIF by its leading '!' line, CSV otherwise.

#include "CsvReader.h"
#include "StatementLine.h"

#include <cstdint>
#include <string>

namespace qz {

enum class TStatementType : std::uint8_t { Detect, Ofx, Qif, Csv };

struct TStatementOptions {
    TStatementType Type = TStatementType::Detect;
    TDateOrder Order = TDateOrder::Unknown; // QIF and CSV
    TCsvOptions Csv;                        // its Order is taken from Order
};

// The type the file's first bytes show (never Detect).
TStatementType DetectStatementType(const std::string& path);

TStatement ReadStatement(const std::string& path, const TStatementOptions& options);

} // namespace qz
