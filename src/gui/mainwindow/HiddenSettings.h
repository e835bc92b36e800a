#pragma once
// The maintenance dialog "Hidden Settings": whether the open document is an example file and
// the name of its description page. "&Apply" stores both in the document's settings.

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qz::gui {

class THiddenSettings : public QDialog {
    Q_OBJECT
public:
    // `apply` writes the two settings (document text) and answers whether that worked; without
    // it (no document open) nothing can be applied.
    THiddenSettings(QWidget* parent, bool example, const std::string& descFile,
                    std::function<bool(bool example, const std::string& descFile)> apply);

    QCheckBox* ExampleBox() const { return Example; }
    QLineEdit* DescFileEdit() const { return DescFile; }
    QPushButton* ApplyButton() const { return Apply; }

private:
    QCheckBox* Example = nullptr;
    QLineEdit* DescFile = nullptr;
    QPushButton* Apply = nullptr;
};

} // namespace qz::gui
