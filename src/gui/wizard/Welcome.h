#pragma once
// The Welcome screen shown at start-up while no document is open: open, create, open an
// example, or reopen the file used last.

#include "platform/Registry.h"
#include "storage/OptionsFileOLE.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace qz::gui {

class TWelcomeScreen : public QDialog {
    Q_OBJECT
public:
    // What Run answers.
    static constexpr int OpenExisting = 10;
    static constexpr int CreateNew = 11;
    static constexpr int OpenExample = 12;
    static constexpr int OpenLastUsed = 13;
    static constexpr int Closed = -1;

    // The value that holds the most recently used file.
    static constexpr const char* LastUsedValue = "MRU Items/F0";

    TWelcomeScreen(QWidget* parent, Registry& registry, TOptionsManager& options);

    // Modal; one of the codes above.
    int Run();
    // Ends the screen without a choice (another instance handed over a file to open).
    void EndWithoutChoice() { done(Closed); }
    // The file "Open Last Used" reopens; empty when there is none.
    QString LastFile() const { return Last; }

    // Writes "Show welcome screen" back to the options on every way out.
    void done(int result) override;
    void reject() override { done(Closed); }

private:
    QPushButton* AddChoice(const QString& caption, int code, const char* name);
    void ShowLastFile(Registry& registry);

    TOptionsManager& Options;
    QString Last;
    QLabel* LastFileLabel;
    QPushButton* LastFileBtn;
    QCheckBox* ShowWelcomeBox;
};

} // namespace qz::gui
