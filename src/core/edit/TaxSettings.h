#pragma once
// Whether and how a document tracks GST or VAT: the options window's "GST / VAT" page as the
// core sees it. Switching, renaming and the checks that go with them live here, so that the
// window only fills controls and shows answers.

#include "storage/FileManager.h"

#include <string>

namespace qz {

enum class TTaxTracking : std::uint8_t { Off, Gst, Vat };

// What the page shows and the user may change.
struct TTaxEdit {
    TTaxTracking Tracking = TTaxTracking::Gst;
    Money Percent;            // the default tax percentage (10 % is 10.0000)
    std::string CategoryName; // the name of the tax payments category
    Money OpeningBalance;     // the tax opening balance
};

// The page filled from the document.
TTaxEdit TaxEditOf(const TLedger& ledger, const TFileSettings& settings);

// "GST" or "VAT" for a tracking choice ("GST/VAT" while tracking is off).
std::string TaxNameOf(TTaxTracking tracking);

// Whether a transaction is in the tax payments or the tax refunds category: while one is,
// tracking cannot be switched off.
bool TaxCategoriesInUse(const TLedger& ledger, const TFileSettings& settings);
// The warning when tracking cannot be switched off, and the question when it can.
std::string TaxSwitchOffRefusedText(const std::string& taxName);
std::string TaxSwitchOffQuestionText(const std::string& taxName);

// The tax settings count as changed (the options window then asks whether to keep them).
bool TaxSettingsChanged(const TTaxEdit& edit, const TLedger& ledger, const TFileSettings& settings);

// The "&Rename" of the payments category on the page: "" when `name` (already trimmed) may be
// its new name, else the warning to show. An unchanged name is the caller's to ignore.
std::string TaxCategoryRenameRefusal(const std::string& name, const TLedger& ledger);

// Keeps the new tax settings: tracking, name and default percentage, the system category
// type's name, both tax categories' names, and the opening balance, in one commit. False when
// the commit was given up (the changes then stay in memory only).
bool ApplyTaxSettings(TFileManager& files, TLedger& ledger, const TTaxEdit& edit);

} // namespace qz
