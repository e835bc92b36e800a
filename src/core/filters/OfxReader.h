#pragma once
// Reads OFX and QFX statements, version 1 (SGML with its plain-text header) and version 2
// (XML), through libofx. Before libofx sees the file it is checked here: a file that is cut
// short (no closing </OFX>), declares a character set this program cannot read, or is no OFX
// at all is refused with the line that shows it. The amounts and dates are taken from the
// entry's own TRNAMT and DTPOSTED texts, so that no amount passes through a floating point
// number. The reference is the cheque number when there is one, otherwise the bank's id.

#include "StatementLine.h"

#include <string>
#include <string_view>

namespace qz {

class TOfxReader {
public:
    TStatement ReadFile(const std::string& path) const;

    // Whether `text` starts as an OFX file does ("OFXHEADER:", an XML declaration followed by
    // an OFX processing instruction, or <OFX>).
    static bool LooksLikeOfx(std::string_view text);

    // A long statement goes to libofx in pieces, half of them in a second process made for the
    // purpose; the reading is the same either way. Tests choose the other two ways: every
    // piece in this process, and a second process that gives nothing back (its pieces are then
    // read here).
    enum class TSharing { Share, Alone, ShareWithFailingChild };
    static void SetSharingForTests(TSharing sharing);
};

} // namespace qz
