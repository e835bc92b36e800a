#pragma once
// The classification windows on a real document in the main window: generated books with two
// category types of the user's ("Rent", used by a category, and "Spare", used by none) and
// the main window's editing context.

#include "edit/EditContext.h"
#include "forms/ModalDriver.h"
#include "mainwindow/MainFormFixture.h"

#include <QWidget>

namespace qz::gui::test {

class ClassificationWindowTest : public MainFormTest {
protected:
    // Writes and opens the books; `adjust` may change the document's settings.
    void OpenBooks(const std::function<void(TFileSettings&)>& adjust = {}) {
        TLedger ledger;
        TGeneratorOptions options;
        options.Seed = 5;
        options.Transactions = 120;
        options.Years = 1;
        TDocumentContent content;
        GenerateDocument(ledger, options, "GST", content);
        TCatRec* rent = ledger.CatList.AddType("Rent", SideDebit, KindOperating, 0);
        ledger.CatList.AddType("Spare", SideCredit, KindOther, 0);
        for (TMainActRec* category : ledger.MainActList.KeyList)
            if (category->Side == SideDebit && category->CatType != rent->Number && !IsTaxCategory(ledger, *category)) {
                category->CatType = rent->Number;
                RentUser = category->Name.Str();
                break;
            }
        if (adjust)
            adjust(content.Settings);
        const std::string path = Path("books.kqk");
        ScriptedPrompts quiet;
        ASSERT_TRUE(WriteGeneratedDocument(path, ledger, content, quiet));
        ASSERT_TRUE(Window->OpenFile(path));
        Prompts.Messages.clear();
    }

    static bool IsTaxCategory(const TLedger& ledger, const TMainActRec& category) {
        const TCatRec* type = ledger.CatList.Find(category.CatType);
        return type && type->Kind == KindGstSystem;
    }

    // Closes the document and opens it again: what the file holds.
    void Reopen() {
        const std::string path = Window->FileManager().Path;
        ASSERT_TRUE(Window->CloseCommand());
        ASSERT_TRUE(Window->OpenFile(path));
    }

    TLedger& Books() { return Window->Ledger(); }
    TEditContext& Edit() { return Window->EditContext(); }

    const TCatRec* TypeNamed(const std::string& name) {
        for (const TCatRec* type : Books().CatList.KeyList)
            if (type->Name == name)
                return type;
        return nullptr;
    }
    const TGroupRec* GroupNamed(const std::string& name) {
        for (const TGroupRec* group : Books().GroupList.KeyList)
            if (group->Name == name)
                return group;
        return nullptr;
    }

    // WhenModal for a window the action should close: one left open fails the test, and is
    // closed so that the test goes on.
    template <class Window> static void WhenModalClosing(std::function<void(Window&)> act) {
        WhenModal<Window>([act](Window& window) {
            act(window);
            if (window.isVisible()) {
                ADD_FAILURE() << "the window is still open";
                window.reject();
            }
        });
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    std::string RentUser; // the category of type "Rent"
};

} // namespace qz::gui::test
