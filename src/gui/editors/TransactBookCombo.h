#pragma once
// TBookCombo, the transaction editor's account list: every account by name in the user's order,
// the chosen one drawn in bold white on the account's own colour, in the closed box and where
// the open list highlights it; the others in the list's normal colours.

#include "edit/TransactionLists.h"

#include <QComboBox>

#include <optional>
#include <vector>

namespace qz::gui {

class TBookCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TBookCombo(QWidget* parent = nullptr);

    // Fills the list (only when the accounts differ from those shown) and chooses the account
    // numbered `chosen`, none when it is not there.
    void SetAccounts(const std::vector<TAccountItem>& accounts, std::optional<std::int32_t> chosen);
    // The chosen account's number; none when no account is chosen.
    std::optional<std::int32_t> ChosenNumber() const;
    QColor ChosenColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qz::gui
