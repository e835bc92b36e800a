#pragma once
// The company details an older document is asked for on its upgrade when it has none.

#include <QDialog>

class QLineEdit;

namespace qz::gui {

class TfmCompDetails : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLength = 255;

    explicit TfmCompDetails(QWidget* parent = nullptr);

    // Runs the window modally; false when it was closed without OK.
    static bool Ask(QWidget* parent, QString& name, QString& number);

    QString BusinessName() const;
    QString BusinessNumber() const;

private:
    QLineEdit* NameEdit;
    QLineEdit* NumberEdit;
};

} // namespace qz::gui
