#pragma once
// The bulk change of tax percentages ("Change GST Percentage"): the sub categories grouped by
// their percentage, a group moved to another percentage at once, and the document's default
// percentage for new sub categories.

#include "edit/GstPercentChange.h"
#include "platform/Prompts.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace qz::gui {

class TPercentBox;

class TfmGstPercentChange : public QDialog {
    Q_OBJECT
public:
    // `percent` is the default percentage the window starts with; `taxName` "GST" or "VAT".
    TfmGstPercentChange(TFileManager& files, TLedger& ledger, const TDisplayFormats& formats, Prompts& prompts,
                        Money percent, const std::string& taxName, QWidget* parent = nullptr);

    // Runs the window modally: the new default percentage when "&Close" leaves one that differs
    // from `percent`, else nothing.
    static std::optional<Money> ChangeTaxPercent(QWidget* parent, TFileManager& files, TLedger& ledger,
                                                 const TDisplayFormats& formats, Prompts& prompts, Money percent,
                                                 const std::string& taxName);

    std::optional<Money> NewDefault() const;

public slots:
    void ApplyBtnClick();

private:
    void FillList();
    void LineSelected();
    void UpdateApply();

    TFileManager& Files;
    TLedger& Books;
    const TDisplayFormats& Formats;
    Prompts& Messages;
    Money Passed;
    std::vector<TPercentGroup> Groups;
    QListWidget* GroupList;
    TPercentBox* ChangeToBox;
    TPercentBox* DefaultBox;
    QPushButton* ApplyBtn;
};

} // namespace qz::gui
