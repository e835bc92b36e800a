#pragma once
// What the worksheet area shows while no document is open: a calm panel in its middle with the
// welcome screen's choices (open a file, create one, open the example, open the file used last),
// so that the way on is always in view.

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace qz::gui {

class TNoDocumentPanel : public QWidget {
    Q_OBJECT
public:
    explicit TNoDocumentPanel(QWidget* parent = nullptr);

    // The file "Open Last Used" opens (its name shows on the button); empty hides the button.
    void SetLastUsed(const QString& path);
    // The choice made, as the welcome screen answers it (TWelcomeScreen::OpenExisting ...).
    std::function<void(int choice)> OnChoice;

    QPushButton* ChoiceButton(int choice) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* AddChoice(const QString& caption, int choice, const char* name);

    QWidget* Card = nullptr;
    QPushButton* LastUsedBtn = nullptr;
};

} // namespace qz::gui
