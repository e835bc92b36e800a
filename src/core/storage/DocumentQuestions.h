#pragma once
// The questions opening, creating and converting documents must ask the user beyond plain
// message boxes: the document password, the GST/VAT choice, the company details and the
// conversion wizard of the oldest documents. The windows answer them with dialogs; tests
// and the command-line tool with prepared answers.

#include "ledger/CatDB.h"

#include <string>

namespace qz {

struct TTaxChoice {
    bool Tracking = true;
    Money Percent = Money::FromUnits(10);
    std::string Name = "GST"; // "GST" or "VAT"; empty when tracking is off
};

class DocumentQuestions {
public:
    virtual ~DocumentQuestions() = default;
    // True when the user typed the document's password.
    virtual bool AskPassword(const std::string& password) = 0;
    virtual TTaxChoice AskTaxChoice() = 0;
    // False when the user gives no details.
    virtual bool AskCompanyDetails(std::string& name, std::string& number) = 0;
    // The conversion wizard of a first-generation document: the account name, and a Kind for
    // each type that is not a default one. False when cancelled.
    virtual bool ConvertWizard(TCatList& types, std::string& accountName) = 0;
};

// Answers prepared in advance.
class PreparedQuestions : public DocumentQuestions {
public:
    bool PasswordAccepted = true;
    TTaxChoice Tax;
    std::string CompanyName;
    std::string CompanyNumber;
    bool WizardCancelled = false;
    std::string AccountName = "Account 1";
    std::int16_t KindForCustomTypes = 3;
    int TaxQuestions = 0;
    int CompanyQuestions = 0;
    int PasswordQuestions = 0;

    bool AskPassword(const std::string&) override {
        ++PasswordQuestions;
        return PasswordAccepted;
    }
    TTaxChoice AskTaxChoice() override {
        ++TaxQuestions;
        return Tax;
    }
    bool AskCompanyDetails(std::string& name, std::string& number) override {
        ++CompanyQuestions;
        name = CompanyName;
        number = CompanyNumber;
        return true;
    }
    bool ConvertWizard(TCatList& types, std::string& accountName) override {
        if (WizardCancelled)
            return false;
        for (TCatRec* type : types.KeyList)
            if (!type->IsDefault && type->Kind <= 0)
                type->Kind = KindForCustomTypes;
        accountName = AccountName;
        return true;
    }
};

} // namespace qz
