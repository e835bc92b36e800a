#pragma once
// Documents of the older generations brought up to the current one in place, the steps that
// finish every new document, new documents made from an existing one, and the sequence that
// opens a document: check, convert, load, link, recalculate, check the tax categories.

#include "FileManager.h"

#include <functional>
#include <string>
#include <vector>

namespace qz {

class TFileConvert {
public:
    TFileConvert(TFileManager& files, TLedger& ledger, Prompts& prompts, DocumentQuestions& questions,
                 const Clock& clock, cfb::TFileSystem& fs = cfb::TFileSystem::Posix());

    // 0 nothing to convert or converted; 2 not a document; 3 already open or in use (the
    // message was shown); 4 the conversion failed; 5 cancelled.
    int ConvertVersion1(const std::string& path);
    // True when the file was of that generation and was upgraded.
    bool UpgradeTo21(const std::string& path);
    bool UpgradeTo22(const std::string& path);
    // On the loaded lists, written through the file manager.
    bool AddGstRecords();
    bool ComputeGstAmounts();
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
    bool LoadAndShow(const std::string& path);
    // Closes (and saves) the open document, if any, and tells DocumentClosed. False when the
    // close was abandoned.
    bool CloseOpenDocument();
    cfb::HResult OpenExclusive(const std::string& path, std::unique_ptr<cfb::TCompoundFile>& file);
    bool Rewrite(TRecordStream stream);
    std::string TaxCategoryName() const;

    TFileManager& Files;
    TLedger& Ledger;
    Prompts& Ask;
    DocumentQuestions& Questions;
    const Clock& Time;
    cfb::TFileSystem& Fs;
};

inline constexpr const char* NotADocumentText = "Unable to open file: Not a vaild Quillmar Zudeduze file";

} // namespace qz
