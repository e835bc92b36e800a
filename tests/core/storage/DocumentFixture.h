#pragma once
// A file manager and its conversions on a ledger, with scripted answers, a fixed clock and
// drive, in a folder of their own.

#include "storage/FileConvert.h"
#include "storage/cfb/CfbTestSupport.h"

#include "engine/Engine.h"
#include "ledger/DateTime.h"
#include "platform/ScriptedPrompts.h"

namespace qz::testing {

class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture()
        : Clock(EncodeDate(2026, 7, 1)), Files(Ledger, Prompts, Questions, Clock, Drive),
          Convert(Files, Ledger, Prompts, Questions, Clock) {
        Files.ConnectLists();
        Files.SyncWrites = false;
    }

    std::string PathOf(const std::string& name) const { return Folder.File(name); }

    // A new blank document, open, with GST tracked at 10 %.
    void NewDocument(const std::string& name = "Shop.kqk") {
        Questions.Tax = TTaxChoice{};
        ASSERT_TRUE(Convert.CreateNewDocument(PathOf(name), "Shop Pty Ltd", "123"));
        Prompts.Messages.clear();
    }

    TTransRec* AddSale(TDateTime date, double amount, std::int32_t number = 0) {
        auto* t = new TTransRec;
        t->Number = number ? number : Ledger.TransList.NewNumber();
        t->Kind = TransCredit;
        t->Date = date;
        t->Amount = Money::FromDouble(amount);
        t->MainAct = Ledger.GstRefundCat;
        t->SubAct = 1;
        t->Group = 0;
        t->Book = 0;
        LinkTransaction(Ledger, *t);
        Ledger.TransList.Add(t);
        return t;
    }

    cfb::testing::TempFolder Folder;
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock;
    FixedDrives Drive;
    TFileManager Files;
    TFileConvert Convert;
};

} // namespace qz::testing
