#pragma once
// What the editors' picture programs share: their command line ([document] [folder], by default
// the example document of the build and docs/editors), a scratch copy of the document opened as
// the program opens documents (the pictures never change the document itself), and the saving
// of a window's picture. The programs run under xvfb-run, in the example's Australian settings.

#include "edit/EditContext.h"
#include "ledger/DisplayFormats.h"
#include "platform/Clock.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentQuestions.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>

class QWidget;

namespace qz::gui::shots {

// The editors never get to delete anything here.
class TNoDeletion : public TEditDialogs {
public:
    bool ConfirmDelete() override { return false; }
};

// The scratch copy of a document, open, with what the editors work with. Nothing asks the user:
// a message answers its first button, a password is refused.
struct TShotDocument {
    TShotDocument();
    ~TShotDocument();
    TShotDocument(const TShotDocument&) = delete;
    TShotDocument& operator=(const TShotDocument&) = delete;

    // Copies `path` to the scratch folder and opens the copy; false, said on stderr, when either fails.
    bool Open(const QString& path);

    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    SystemClock Clock;
    TFileManager Files;
    TAccessCheck Access;
    TNoDeletion Dialogs;
    TEditContext Edit;
    TDisplayFormats Formats;

private:
    QTemporaryDir Scratch;
};

// Shows `window`, saves its picture as `folder`/`name`.png and hides it again; the path on stdout,
// or what failed on stderr.
bool SaveShot(QWidget& window, const QString& folder, const char* name);

// The body of a picture program: reads the command line, opens the document and runs `shoot`
// on it with the output folder (`defaultFolder` when the command line names none); answers the
// exit code (0 when every picture was saved).
int RunShots(int argc, char** argv, const std::function<bool(TShotDocument& document, const QString& folder)>& shoot,
             const QString& defaultFolder = QStringLiteral("docs/editors"));

} // namespace qz::gui::shots
