#include "DocumentReader.h"

#include "engine/Engine.h"
#include "storage/cfb/CfbFormat.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qz {

using cfb::HResult;

std::string ContainerErrorText(HResult result) {
    if (result == cfb::STG_E_FILENOTFOUND || result == cfb::STG_E_PATHNOTFOUND)
        return "no such file";
    if (result == cfb::STG_E_ACCESSDENIED)
        return "permission denied";
    if (result == cfb::STG_E_SHAREVIOLATION || result == cfb::STG_E_LOCKVIOLATION)
        return "the file is in use by another program";
    if (result == cfb::STG_E_INVALIDHEADER)
        return "not a compound file";
    if (result == cfb::STG_E_INVALIDFUNCTION)
        return "not a regular file";
    return "damaged compound file (" + cfb::ResultName(result) + ")";
}

namespace {

std::string StreamFault(const char* name, HResult result) {
    if (result == cfb::STG_E_DOCFILECORRUPT)
        return std::string("the \"") + name + "\" stream holds fewer records than its count (damaged file)";
    return std::string("the \"") + name + "\" stream cannot be read (" + cfb::ResultName(result) + ")";
}

} // namespace

bool TDocumentReader::Open(const std::string& path, std::string& error) {
    File.reset();
    if (std::error_code ignored; std::filesystem::is_directory(path, ignored)) {
        error = "a folder, not a document";
        return false;
    }
    if (HResult r = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, File); cfb::Failed(r)) {
        error = ContainerErrorText(r);
        return false;
    }
    cfb::TStorage root = File->Root();
    cfb::TStream transactions, settings, comments;
    for (auto [name, stream] :
         {std::pair{RecordStreamNames[StreamTrans], &transactions}, std::pair{SettingsStreamName, &settings}})
        if (HResult r = root.OpenStream(name, *stream); cfb::Failed(r)) {
            error = r == cfb::STG_E_FILENOTFOUND
                        ? std::string("not a document: it has no \"") + name + "\" stream"
                        : std::string("the \"") + name +
                              "\" stream cannot be read (damaged file: " + cfb::ResultName(r) + ")";
            return false;
        }
    if (HResult r = FileOLE::ReadSettings(settings, FileSettings); cfb::Failed(r)) {
        error = r == cfb::STG_E_DOCFILECORRUPT ? "the \"FileSettings\" stream is too short (damaged file)"
                                               : StreamFault(SettingsStreamName, r);
        return false;
    }
    CommentText.clear();
    if (cfb::Succeeded(root.OpenStream(CommentsStreamName, comments)))
        if (HResult r = FileOLE::ReadComment(comments, CommentText); cfb::Failed(r)) {
            error = StreamFault(CommentsStreamName, r);
            return false;
        }
    return ReadCounts(error);
}

bool TDocumentReader::ReadCounts(std::string& error) {
    if (HResult r = FileOLE::ReadDocumentCounts(File->Root(), Gen, CountsBlock, &OpeningBalance); cfb::Failed(r)) {
        error = r == cfb::STG_E_FILENOTFOUND
                    ? "not a document: it has no counts stream"
                    : std::string("the \"") + CountsStreamNameOf(Gen) + "\" stream is too short (damaged file)";
        return false;
    }
    return true;
}

bool TDocumentReader::Tally(std::array<TStreamTally, 6>& tallies, std::string& error) {
    cfb::TStorage root = File->Root();
    std::vector<std::uint8_t> buffer;
    for (int i = 0; i < 6; ++i) {
        const auto kind = static_cast<TRecordStream>(i);
        TStreamTally& tally = tallies[static_cast<std::size_t>(i)];
        tally = TStreamTally{};
        tally.Counted =
            Gen == TGeneration::Version1 && kind == StreamBooks ? -1 : CountsBlock[static_cast<std::size_t>(i)];
        cfb::TStream stream;
        if (cfb::Failed(root.OpenStream(RecordStreamNames[i], stream)))
            continue;
        tally.Present = true;
        if (HResult r = stream.Size(tally.Bytes); cfb::Failed(r)) {
            error = StreamFault(RecordStreamNames[i], r);
            return false;
        }
        const std::uint32_t size = RecordSizes[i];
        buffer.resize(std::size_t(size) * 2048);
        for (std::uint64_t at = 0; at + size <= tally.Bytes;) {
            const auto records = static_cast<std::uint32_t>(std::min<std::uint64_t>((tally.Bytes - at) / size, 2048));
            std::uint32_t read = 0;
            if (HResult r = stream.ReadAt(at, buffer.data(), records * size, &read);
                cfb::Failed(r) || read < records * size) {
                error = StreamFault(RecordStreamNames[i], cfb::Failed(r) ? r : cfb::STG_E_READFAULT);
                return false;
            }
            for (std::uint32_t k = 0; k < records; ++k)
                (IsTombstone(kind, buffer.data() + std::size_t(k) * size) ? tally.Deleted : tally.Live)++;
            at += std::uint64_t(records) * size;
        }
    }
    return true;
}

bool TDocumentReader::Load(TLedger& ledger, std::string& error) {
    ledger.Clear();
    int failed = 0;
    if (HResult r = FileOLE::LoadDocumentLists(File->Root(), Gen, CountsBlock, ledger, failed); cfb::Failed(r)) {
        ledger.Clear();
        error = r == cfb::STG_E_FILENOTFOUND
                    ? std::string("not a document: it has no \"") + RecordStreamNames[failed] + "\" stream"
                    : StreamFault(RecordStreamNames[failed], r);
        return false;
    }
    ledger.BookList.NumberRows();
    ledger.GstOpeningBalance = UsableAmount(FileSettings.GstOpeningBalance);
    ledger.GstPaymentCat = FileSettings.GstPaymentCat;
    ledger.GstRefundCat = FileSettings.GstRefundCat;
    return true;
}

bool TDocumentReader::LoadForViews(TLedger& ledger, std::string& error) {
    if (Gen != TGeneration::Current) {
        error = std::string("a generation ") + GenerationText(Gen) + " document: convert it first";
        return false;
    }
    if (!Load(ledger, error))
        return false;
    try {
        LinkRecords(ledger);
        CheckCategoryTypes(ledger);
    } catch (const EListIndexError&) {
        ledger.Clear();
        error = "a record names a category, sub category, group or account the document does not have";
        return false;
    }
    ledger.TransferList.Build(ledger.TransList);
    // As the window orders the lists after opening.
    ledger.OrderAsOpened();
    if (ledger.TransList.Count() > 0) {
        ledger.TransList.ResetRange(2);
        Recalculate(ledger);
    }
    // The window drops tax amounts a document keeps while tax is not tracked.
    if (!FileSettings.TaxOn) {
        bool stray = false;
        for (TTransRec* t : ledger.TransList.KeyList)
            if (t->Row != -1 && !t->Gst.IsZero()) {
                t->Gst = Money();
                stray = true;
            }
        if (stray)
            Recalculate(ledger);
    }
    return true;
}

} // namespace qz
