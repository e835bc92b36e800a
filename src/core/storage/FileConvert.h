#pragma once
// Documents of the older generations brought up to the current one in place, the steps that
// finish every new document, new documents made from an existing one, and the sequence that
// opens a document: check, convert, load, link, recalculate, check the tax categories.

#include "FileManager.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz {

struct TConversionStreams;

class TFileConvert {
public:
    TFileConvert(TFileManager& files, TLedger& ledger, Prompts& prompts, DocumentQuestions& questions,
                 const Clock& clock, cfb::TFileSystem& fs = cfb::TFileSystem::Posix());

    // Brings a document of an older generation up to the current one, in place, on the closed
    // file: every question is asked first, every change is made in the storage, and one commit
    // writes them all, the counts stream's new name with the last converted record. The file
    // is either as it was or wholly converted.
    // 0 nothing to convert or converted; 2 not a document; 3 already open or in use (the
    // message was shown); 4 the conversion failed (LastFailure says why); 5 cancelled.
    int ConvertDocument(const std::string& path);
    // The generation the last ConvertDocument converted, when it did.
    std::optional<TGeneration> Converted;
    // The storage's answer that made the last conversion fail, or refused its opening.
    cfb::HResult LastFailure = cfb::S_OK;

    // The tax records of a document of generation 2.0 (and of every new one), on its lists:
    // no tax amounts yet, each split reconciled as a whole, each sub category at the
    // document's percentage (none for the types without tax), and the tax type, payments
    // category and its "Payment" sub category, named in `settings`.
    static void AddGstRecords(TLedger& ledger, TFileSettings& settings);
    // Generation 2.1 kept a tax rate where the tax amount now is.
    static void ComputeGstAmounts(TLedger& ledger);
    // Adds the refunds category and its "Refund" sub category when the document has none;
    // clears stray tax amounts while tax is not tracked.
    void CheckTaxCategories();

    bool NewFromExisting(const std::string& newPath, const std::string& sourcePath,
                         const std::vector<TTransRec>& carried, const std::vector<Money>& balances, Money gstBalance,
                         TDateTime startDate);

    // Called when opening or creating a document has closed the one that was open, before
    // anything of the new one is loaded (the window empties its views and filters then).
    std::function<void()> DocumentClosed;

    struct OpenResult {
        bool Opened = false;
        bool ShowExample = false; // the document is an example: its description is to be shown
        int Check = 0;            // the pre-check's answer (TFileManager::CheckFile)
    };
    // The whole of opening a document, as the main window runs it, less the windows.
    OpenResult OpenDocument(const std::string& path);
    // A new blank document: created, upgraded, opened, finished with its GST/VAT records.
    // `announce`: say "New file created." (the window says it itself once the worksheet shows).
    bool CreateNewDocument(const std::string& path, const std::string& businessName, const std::string& businessNumber,
                           bool announce = true);

private:
    bool Loadable(const std::string& path, TGeneration& generation);
    bool LoadAndShow(const std::string& path);
    // Closes (and saves) the open document, if any, and tells DocumentClosed. False when the
    // close was abandoned.
    bool CloseOpenDocument();
    cfb::HResult OpenExclusive(const std::string& path, std::unique_ptr<cfb::TCompoundFile>& file);
    int ConvertStreams(cfb::TCompoundFile& file, TGeneration generation);
    void AskTaxSettings(TFileSettings& settings);
    bool ConvertFirstGeneration(TConversionStreams& streams, const std::uint8_t* info, TCatList& types,
                                const std::string& accountName);
    bool ConvertSecondGeneration(TConversionStreams& streams, TFileSettings& settings);
    bool ConvertTaxRates(TConversionStreams& streams);
    void RollBack(const std::string& path);
    int Fail(cfb::HResult result);
    static std::string TaxCategoryName(const TFileSettings& settings);

    TFileManager& Files;
    TLedger& Ledger;
    Prompts& Ask;
    DocumentQuestions& Questions;
    const Clock& Time;
    cfb::TFileSystem& Fs;
};

inline constexpr const char* NotADocumentText = "Unable to open file: Not a vaild Quillmar Zudeduze file";

} // namespace qz
