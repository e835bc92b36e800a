#pragma once
// A digest of what a document holds: every live record of the six lists in key order, as the
// file stores it, with the settings block and the comment. Worked out from memory after a
// change, it must equal the digest of the document opened again from the file.

#include "storage/FileManager.h"
#include "storage/FileOLE.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qz::crash {

// FNV-1a, 64 bits.
class TDigest {
public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            Value ^= bytes[i];
            Value *= 0x100000001b3ULL;
        }
    }
    std::string Text() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Value));
        return text;
    }

private:
    std::uint64_t Value = 0xcbf29ce484222325ULL;
};

inline std::string LedgerDigest(const TLedger& ledger, const TFileSettings& settings, const std::string& comment) {
    TDigest digest;
    for (int i = 0; i < 6; ++i) {
        const auto stream = static_cast<TRecordStream>(i);
        const std::int32_t count = FileOLE::CountOf(ledger, stream);
        digest.Add(&count, sizeof count);
        std::vector<std::uint8_t> image(RecordSizes[stream]);
        for (std::int32_t index = 0; index < count; ++index) {
            FileOLE::EncodeRecord(ledger, stream, index, image.data());
            digest.Add(image.data(), image.size());
        }
    }
    std::vector<std::uint8_t> block(SettingsSize);
    EncodeSettings(settings, block.data());
    digest.Add(block.data(), block.size());
    digest.Add(comment.data(), comment.size());
    return digest.Text();
}

// The digest of the document open in `files`.
inline std::string DocumentDigest(TFileManager& files, const TLedger& ledger) {
    return LedgerDigest(ledger, files.Settings, files.Comment());
}

} // namespace qz::crash
