#pragma once
// The GST/VAT question a document of an older generation asks once when it is upgraded:
// track no tax, GST or VAT, and at which default percentage. There is no way out but OK.

#include "platform/Prompts.h"
#include "storage/DocumentQuestions.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace qz::gui {

class TfmGstPercentName : public QDialog {
    Q_OBJECT
public:
    explicit TfmGstPercentName(Prompts& prompts, QWidget* parent = nullptr);

    // Runs the window modally and answers the choice made.
    static TTaxChoice Ask(QWidget* parent, Prompts& prompts);

    // The choice as it stands; meaningful after OK.
    TTaxChoice Choice() const { return Result; }

public slots:
    void OKBtnClick();
    // Without a cancel button, Escape and the close box do nothing.
    void reject() override {}

private:
    void TaxChosen();
    QString TaxName() const;

    Prompts& Messages;
    QRadioButton* NoTaxBtn;
    QRadioButton* GstBtn;
    QRadioButton* VatBtn;
    QLabel* PercentLabel;
    QLineEdit* PercentEdit;
    TTaxChoice Result;
};

} // namespace qz::gui
