#pragma once
// TNewEditCat, the dialog of one category type: its name and the report section ("Type") it
// belongs to, offered for its side only.

#include "ledger/CatDB.h"
#include "platform/Prompts.h"

#include <QDialog>

#include <string>
#include <vector>

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace qz::gui {

class TNewEditCat : public QDialog {
    Q_OBJECT
public:
    TNewEditCat(const TCatList& types, Prompts& prompts, const std::string& name, std::int16_t kind, bool isCredit,
                bool isNew, QWidget* parent = nullptr);

    // Runs the dialog modally. On OK `name` takes the name as typed (Windows-1252) and `kind`
    // the report section chosen, and the answer is true.
    static bool EditCategoryType(QWidget* parent, const TCatList& types, Prompts& prompts, std::string& name,
                                 std::int16_t& kind, bool isCredit, bool isNew);

    std::string Name() const;
    // The Kind of the chosen button; 0 while none is chosen.
    std::int16_t Kind() const;

public slots:
    void OKBtnClick();

private:
    QGroupBox* MakeTypeGroup(std::uint8_t side, std::int16_t kind);

    const TCatList& Types;
    Prompts& Messages;
    std::string OpenedWith;
    std::uint8_t Side;
    QLineEdit* NameEdit;
    std::vector<std::pair<QRadioButton*, std::int16_t>> Kinds;
};

} // namespace qz::gui
