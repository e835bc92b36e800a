#pragma once
// The corner shop open for the transaction editor's session: a kind chooser and a name dialog
// that answer as scripted, and helpers that enter a transaction the way the user does.

#include "EditOperationsFixture.h"

#include "edit/TransactionSession.h"
#include "engine/Engine.h"

#include <deque>
#include <memory>

namespace qz::testing {

class ScriptedTransactionDialogs : public TTransactionDialogs {
public:
    struct NameAnswer {
        bool Ok = true;
        std::string Name;
        Money Percent;
    };
    std::deque<int> Kinds;          // the kind chooser's answers; when they run out, Credit
    std::deque<NameAnswer> Names;   // the name dialog's answers; when they run out, Cancel
    std::vector<std::string> Asked; // "caption|label", "caption|prompt|percent"

    int ChooseKind(const std::string& caption, const std::string& label) override {
        Asked.push_back(caption + "|" + label);
        if (Kinds.empty())
            return 0;
        const int kind = Kinds.front();
        Kinds.pop_front();
        return kind;
    }
    // The scripted user types the name once: a name the check refuses is given up.
    bool InputName(const std::string& caption, const std::string& prompt, std::string& name, Money& percent,
                   const std::function<bool(std::string&)>& check) override {
        std::ostringstream asked;
        asked << caption << '|' << prompt << '|' << percent;
        Asked.push_back(asked.str());
        if (Names.empty())
            return false;
        const NameAnswer answer = Names.front();
        Names.pop_front();
        if (!answer.Ok)
            return false;
        name = answer.Name;
        if (!check(name))
            return false;
        if (percent >= Money())
            percent = answer.Percent;
        return true;
    }
};

class TransactionSessionFixture : public EditOperations {
protected:
    // A session with the options given (the user's defaults otherwise but for reconciled new
    // transactions, which most tests want).
    TTransactionSession& Session(TTransactionOptions options = {true, false, true, false}) {
        Made = std::make_unique<TTransactionSession>(Edit, TransDialogs, Formats, Clock, options);
        return *Made;
    }

    std::int32_t IndexOf(std::int32_t number, char split = '0') const {
        for (std::int32_t i = 0; i < Ledger.TransList.Count(); ++i)
            if (const TTransRec* t = Ledger.TransList.Items(i); t->Number == number && t->Split == split)
                return i;
        return -1;
    }
    const TTransRec* Find(std::int32_t number, char split = '0') const {
        const std::int32_t i = IndexOf(number, split);
        return i < 0 ? nullptr : Ledger.TransList.Items(i);
    }

    // One split's fields as the user enters them: category, sub category, account, date, amount.
    static void Enter(TTransactionSession& s, std::int32_t category, std::int32_t sub, std::int32_t account,
                      TDateTime date, double amount) {
        s.SetCategory(category);
        s.SetSubCategory(sub);
        s.SetAccount(account);
        s.SetDate(date);
        s.SetAmount(Money::FromDouble(amount));
        s.AmountExit();
    }

    // A new credit transaction of the shop's sales, saved by OK; its number.
    std::int32_t NewSale(TTransactionSession& s, TDateTime date, double amount, std::int32_t account = 0) {
        TransDialogs.Kinds.push_back(0);
        EXPECT_TRUE(s.Open(TTransMode::New, -1));
        Enter(s, 100, 1, account, date, amount);
        const std::int32_t number = s.Working().front().Record.Number;
        EXPECT_TRUE(s.OK()) << Prompts.LastText();
        return number;
    }

    TDisplayFormats Formats;
    ScriptedTransactionDialogs TransDialogs;
    std::unique_ptr<TTransactionSession> Made;
};

} // namespace qz::testing
