#pragma once
// The column-mapping panel of the import window for a CSV statement: which column holds the
// date, the amount (or the debit and the credit), the payee, the memo and the reference, the
// separator, the decimal mark and the date order. Every change is announced at once, so that
// the preview below follows it.

#include "CsvMapping.h"

#include <QGroupBox>

class QComboBox;

namespace qz::gui {

class TCsvMappingPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TCsvMappingPanel(QWidget* parent = nullptr);

    // The columns offered: the header's names, or the first row's texts, after their numbers.
    void SetLayout(const TCsvLayout& layout);
    void SetMapping(const TCsvMapping& mapping);
    TCsvMapping Mapping() const;

    // The choosers by name ("Date", "Amount", "Debit", "Credit", "Payee", "Memo", "Reference",
    // "Separator", "Decimal", "DateOrder"), for the tests.
    QComboBox* Chooser(const QString& name) const;

signals:
    void Changed();

private:
    QComboBox* AddChooser(const QString& name);

    QComboBox* Columns[7] = {};
    QComboBox* SeparatorBox = nullptr;
    QComboBox* DecimalBox = nullptr;
    QComboBox* OrderBox = nullptr;
    bool Filling = false;
};

} // namespace qz::gui
