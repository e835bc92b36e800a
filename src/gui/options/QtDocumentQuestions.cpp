#include "QtDocumentQuestions.h"

#include "options/CompDetails.h"
#include "options/GstPercentName.h"
#include "options/PasswordDlg.h"
#include "platform/TextCodec.h"
#include "wizard/ConvertWizard.h"

namespace qz::gui {

void QtDocumentQuestions::SetParent(QWidget* parent) {
    Parent = parent;
    Messages.SetParent(parent);
}

bool QtDocumentQuestions::AskPassword(const std::string& password) {
    return TPasswordDlg::Ask(Parent, password, Messages);
}

TTaxChoice QtDocumentQuestions::AskTaxChoice() {
    return TfmGstPercentName::Ask(Parent, Messages);
}

bool QtDocumentQuestions::AskCompanyDetails(std::string& name, std::string& number) {
    QString typedName;
    QString typedNumber;
    if (!TfmCompDetails::Ask(Parent, typedName, typedNumber))
        return false;
    name = ToDocument(typedName);
    number = ToDocument(typedNumber);
    return true;
}

bool QtDocumentQuestions::ConvertWizard(TCatList& types, std::string& accountName) {
    return TConvertWizard::Run(Parent, types, accountName);
}

} // namespace qz::gui
