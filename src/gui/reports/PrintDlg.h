#pragma once
// The print-range dialog: all pages or a range of them, and the number of copies.

#include <QDialog>

#include <functional>

class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qz::gui {

struct TPrintRange {
    int FirstPage = 1;
    int LastPage = 1;
    int Copies = 1;
};

class TPrintDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 27000;

    TPrintDlg(int pageCount, QWidget* parent = nullptr, std::function<void(int topic)> showHelp = {});
    ~TPrintDlg() override;

    // What the user chose; the range is the whole report while "All pages" is chosen.
    TPrintRange Range() const;

    QRadioButton* AllBtn = nullptr;
    QRadioButton* SelectionBtn = nullptr;
    QSpinBox* FromBox = nullptr;
    QSpinBox* ToBox = nullptr;
    QSpinBox* CopiesBox = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LowerFromToTo();
    void CopiesBoxExit();
    int Pages;
    std::function<void(int topic)> Help;
};

} // namespace qz::gui
