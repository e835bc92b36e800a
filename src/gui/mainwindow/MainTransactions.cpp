// The main window and the transaction editor: "&New Transaction" (the tool button and the
// context menu), a credit or debit row opened for editing, and the worksheet brought up to date
// after the editor closed.

#include "MainForm.h"

#include "edit/TransactionAfterClose.h"
#include "editors/Transact.h"
#include "engine/Engine.h"

namespace qz::gui {

bool TMain::OpenTransactionEditor(TTransMode mode, std::int32_t position) {
    if (!Files.IsOpen)
        return false;
    // A grid line of the Transactions view is the row of the list it shows (descending order reverses).
    if (mode == TTransMode::Row)
        position = Sheet.ListRow(ViewTransactions, position);
    if (!TransactForm) {
        TTransactContext context;
        context.Edit = &Edit;
        context.Formats = &Formats;
        context.Time = Services.Time;
        context.Options = [this] {
            TTransactionOptions options;
            options.NewTransDate = OptionsStore->ReadOption(OptNewTransDate);
            options.NewTransDisabled = OptionsStore->ReadOption(OptNewTransDisabled);
            options.AutoCalcGst = OptionsStore->ReadOption(OptAutoCalcGST);
            options.ShowNumbers = OptionsStore->ReadOption(OptShowActNoinTrans);
            return options;
        };
        context.SystemColours = [this] { return Services.Colours != TColourClass::TrueColour; };
        context.ShowHelp = [this](int topic) { ShowHelp(topic); };
        context.OpenSearch = [this] { return OpenSearch(true); };
        TransactForm = new TTransact(std::move(context), this);
    }
    const TGridInfo& rows = Sheet.GridInfo[ViewTransactions];
    const std::optional<TTransactionEditorResult> result =
        TransactForm->OpenTransactionEditor(mode, position, rows.ScrollBarPos, rows.SortDirection == sdDescending);
    if (!result)
        return false;
    TransactionEditorClosed(*result);
    if (TransactForm->SearchApplied())
        Filters.SearchApplied(true);
    return result->Changed();
}

void TMain::TransactionEditorClosed(const TTransactionEditorResult& result) {
    qz::AfterTransactionEditor(Sheet, result, Ask, [this] { ReapplySearch(); });
    // The date pickers show the span; the buttons that want transactions follow what is left.
    FiltersChanged();
    ToolButtonsChanged();
}

void TMain::NewTransaction() {
    if (!Files.IsOpen || !CheckAccess(TAccessArea::Adding))
        return;
    // The tax refunds category alone, while tax is not tracked, leaves nothing to enter against.
    if (Books.MainActList.Count() == 1 && !Files.Settings.TaxOn) {
        Edit.Inform("You must create at least one Category before you can enter any Transactions.  Click the "
                    "'Categories' button to create a new Category");
        return;
    }
    if (OpenTransactionEditor(TTransMode::New, -1))
        Sheet.Refresh();
}

bool TMain::EditTransactionOfRow(std::int32_t row, TTransRec&) {
    return OpenTransactionEditor(TTransMode::Row, row);
}

} // namespace qz::gui
