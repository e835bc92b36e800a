// check: the container and every record of a document, read without changing anything.

#include "Commands.h"

#include "filters/DocumentReader.h"
#include "ledger/Cp1252.h"
#include "storage/DocumentCheck.h"

#include <iostream>

namespace qz::cli {

int RunCheck(const Arguments& args) {
    const std::string& path = args.Positional[0];
    TDocumentCheck check;
    const bool clean = check.Run(path);
    if (cfb::Failed(check.Unreadable))
        return Fail(path + ": " + ContainerErrorText(check.Unreadable));
    if (clean)
        std::cout << path << ": no problems: " << check.StreamsRead << " streams read, " << check.RecordsChecked
                  << " records checked\n";
    for (const std::string& problem : check.Problems)
        std::cout << path << ": " << Cp1252ToUtf8(problem) << '\n';
    std::cout << std::flush;
    if (!std::cout)
        return Fail("the standard output cannot be written");
    if (clean)
        return 0;
    const std::size_t count = check.Problems.size();
    return Fail(path + ": " + std::to_string(count) + (count == 1 ? " problem" : " problems") + " found");
}

} // namespace qz::cli
