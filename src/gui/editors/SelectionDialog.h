#pragma once
// TSelectionDialog, what the selection dialogs share: their caption and help topic, the row of
// "&Reset", "&OK", "&Cancel" and "&Help" below their boxes, and the rows and ticks of their
// selection boxes, made from the records' working ticks (`Picked`).

#include "ActSelectBox.h"
#include "platform/TextCodec.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLayout;
class QPushButton;

namespace qz::gui {

class TSelectionDialog : public QDialog {
    Q_OBJECT
public:
    using ShowHelpFn = std::function<void(int topic)>;

public slots:
    virtual void ResetBtnClick() = 0;
    // Closes with OK; a dialog that makes a selection first makes it.
    virtual void OKBtnClick();

protected:
    // The group selection's "OK" and "Cancel" have no accelerators.
    TSelectionDialog(const QString& caption, int helpTopic, ShowHelpFn showHelp, QWidget* parent,
                     const QString& okText = QStringLiteral("&OK"),
                     const QString& cancelText = QStringLiteral("&Cancel"));

    // The window: `boxes` above the button row, which starts with `first` (when given) and "&Reset".
    // Call it once, after the boxes are made.
    void LayOut(QLayout* boxes, QPushButton* first = nullptr);
    // "&OK" is offered only while the ticks make a selection.
    void OfferOK(bool on);

    ShowHelpFn Help;

private:
    int Topic;
    QString OKText;
    QString CancelText;
    QPushButton* OKBtn = nullptr;
};

// One row per record: `number(record)`, its name and its tick.
template <class Records, class NumberText>
std::vector<TActSelectBox::TRow> SelectRows(const Records& records, NumberText number) {
    std::vector<TActSelectBox::TRow> rows;
    for (const auto* record : records)
        rows.push_back({number(*record), FromDocument(record->Name.View()), record->Picked != 0});
    return rows;
}

// The records' ticks, in their order.
template <class Records> std::vector<bool> PickedTicks(const Records& records) {
    std::vector<bool> ticks;
    for (const auto* record : records)
        ticks.push_back(record->Picked != 0);
    return ticks;
}

} // namespace qz::gui
