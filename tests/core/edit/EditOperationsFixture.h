#pragma once
// The corner shop open for the editors' operations: an access check whose password prompt is
// scripted, a scripted deletion confirmation, and the lists written out as text, so that what
// memory holds can be compared with what the file gives when it is opened again.

#include "EditFixture.h"

#include "edit/EditContext.h"

#include <deque>
#include <sstream>

namespace qz::testing {

class ScriptedEditDialogs : public TEditDialogs {
public:
    std::deque<bool> Answers; // when it runs out, "Delete" is clicked with Ctrl held
    int Asked = 0;
    bool ConfirmDelete() override {
        ++Asked;
        if (Answers.empty())
            return true;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Every stored field of every record, in number order (accounts in their own order, which is
// stored), without the links and figures that loading does not give.
inline std::string ListsText(const TLedger& l) {
    std::ostringstream out;
    auto sorted = [](auto records, auto less) {
        std::stable_sort(records.begin(), records.end(), less);
        return records;
    };
    for (const TCatRec* t : sorted(l.CatList.KeyList, [](auto*a, auto*b) { return a->Number < b->Number; }))
        out << "type " << t->Number << ' ' << t->Name.View() << " side " << int(t->Side) << " kind " << t->Kind
            << " default " << int(t->IsDefault) << '\n';
    for (const TMainActRec* c : sorted(l.MainActList.KeyList, [](auto*a, auto*b) { return a->Number < b->Number; }))
        out << "category " << c->Number << ' ' << c->Name.View() << " side " << int(c->Side) << " type " << c->CatType
            << '\n';
    for (const TSubActRec* s : sorted(l.SubActList.KeyList, [](auto*a, auto*b) {
             return std::pair(a->MainAct, a->Number) < std::pair(b->MainAct, b->Number);
         }))
        out << "sub " << s->MainAct << '-' << s->Number << ' ' << s->Name.View() << " side " << int(s->Side) << " tax "
            << s->GstPercent.Raw() << " notes " << s->Notes << '\n';
    for (const TGroupRec* g : sorted(l.GroupList.KeyList, [](auto*a, auto*b) { return a->Number < b->Number; }))
        out << "group " << g->Number << ' ' << g->Name.View() << '\n';
    for (const TBookRec* b : l.BookList.KeyList)
        out << "account " << b->Number << ' ' << b->Name.View() << " colour " << b->Colour << " opening "
            << b->OpeningTransNo << '\n';
    for (const TTransRec* t : sorted(l.TransList.KeyList, [](auto*a, auto*b) {
             return std::pair(a->Number, a->Split) < std::pair(b->Number, b->Split);
         }))
        out << "trans " << t->Number << t->Split << " kind " << int(t->Kind) << " date " << t->Date << " book "
            << t->Book << ' ' << t->MainAct << '-' << t->SubAct << " G" << t->Group << " amount " << t->Amount.Raw()
            << '\n';
    return out.str();
}

// The corner shop with category 5 "Repairs" (the number transfer 4 names as its partner), its sub
// categories 5-1 and 5-2, and three transactions in it, one of them a part of split 6.
inline StreamMap RepairsDocument() {
    StreamMap s = CurrentDocument();
    const TDateTime day = EncodeDate(2026, 3, 10);
    s["MainActs"] += Image(Category(5, "Repairs", SideDebit, 6));
    s["SubActs"] += Image(SubCategory(5, 1, "Plumbing", SideDebit)) + Image(SubCategory(5, 2, "Roof", SideDebit));
    TTransRec splitC = Trans(6, EncodeDate(2026, 3, 5), TransDebit, 15, 5, 2, 0, 0); // with 6A and 6B
    splitC.Split = 'C';
    s["Transactions"] += Image(Trans(20, day, TransDebit, 80, 5, 1)) +
                         Image(Trans(21, day + 1, TransDebit, 45, 5, 2, 0, 1)) + Image(splitC);
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

class EditOperations : public EditFixture {
protected:
    EditOperations()
        : Access(Files.Settings,
                 [this](const std::string& password) {
                     ++PasswordsAsked;
                     return PasswordGiven && password == Files.Settings.Password;
                 }),
          Edit{Files, Ledger, Access, Prompts, Dialogs} {}

    void SetUp() override { OpenShop(); }

    // Protects `area` with a password the user will not give.
    void Protect(TAccessArea area) {
        Files.Settings.Password = "secret";
        (area == TAccessArea::Adding    ? Files.Settings.ProtectAdd
         : area == TAccessArea::Editing ? Files.Settings.ProtectEdit
                                        : Files.Settings.ProtectDelete) = 1;
        PasswordGiven = false;
    }

    // The file, opened again after a crash-like close, holds exactly what memory holds.
    void ExpectStoredAsInMemory() {
        const std::string memory = ListsText(Ledger);
        auto disk = Reopened();
        ASSERT_TRUE(disk->Opened);
        EXPECT_EQ(ListsText(disk->Ledger), memory);
    }

    std::int32_t TypeNamed(const std::string& name) const {
        for (std::int32_t i = 0; i < Ledger.CatList.Count(); ++i)
            if (Ledger.CatList.Items(i)->Name == name)
                return i;
        return -1;
    }
    std::int32_t GroupNamed(const std::string& name) const {
        for (std::int32_t i = 0; i < Ledger.GroupList.Count(); ++i)
            if (Ledger.GroupList.Items(i)->Name == name)
                return i;
        return -1;
    }

    bool PasswordGiven = true;
    int PasswordsAsked = 0;
    ScriptedEditDialogs Dialogs;
    TAccessCheck Access;
    TEditContext Edit;
};

} // namespace qz::testing
