#pragma once
// The questions of opening, creating and converting documents, asked with the program's windows.

#include "platform/QtPrompts.h"
#include "storage/DocumentQuestions.h"

class QWidget;

namespace qz::gui {

class QtDocumentQuestions : public DocumentQuestions {
public:
    explicit QtDocumentQuestions(QWidget* parent = nullptr) : Parent(parent), Messages(parent) {}
    void SetParent(QWidget* parent);

    bool AskPassword(const std::string& password) override;
    TTaxChoice AskTaxChoice() override;
    bool AskCompanyDetails(std::string& name, std::string& number) override;
    bool ConvertWizard(TCatList& types, std::string& accountName) override;

private:
    QWidget* Parent;
    QtPrompts Messages;
};

} // namespace qz::gui
