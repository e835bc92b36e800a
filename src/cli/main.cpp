// zudeduze-cli: the books from the command line. Every figure and text comes from the core,
// the same as the window shows; this file only reads the command line and picks the command.

#include "ChartRequest.h"
#include "Commands.h"
#include "ReportCommand.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <new>

namespace {

using namespace qz::cli;

struct Command {
    const char* Name;
    const char* Summary;
    const char* Help;
    std::vector<OptionSpec> Options;
    int MinPositional;
    int MaxPositional;
    int (*Run)(const Arguments&);
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"new",
         "make a new blank document",
         "usage: zudeduze-cli new FILE [--business NAME] [--number TEXT] [--tax gst|vat|none] [--percent P] [--force]\n"
         "\n"
         "Makes a blank document as the window's \"New blank file\" does: the default category types,\n"
         "the group \"General\", one account with an opening balance of 0 dated today, and the tax\n"
         "categories. The tax question is answered by --tax (default gst) and --percent (default 10).\n"
         "  --business NAME   the business's name\n"
         "  --number TEXT     the business's number\n"
         "  --force           replace FILE when it exists\n"
         "  --verbose         show the messages the window would show (they are shown on a failure anyway)\n",
         {{"business", true}, {"number", true}, {"tax", true}, {"percent", true}, {"force", false}, {"verbose", false}},
         1,
         1,
         RunNew},
        {"info",
         "show what a document holds",
         "usage: zudeduze-cli info FILE [--password PW]\n"
         "\n"
         "Shows the document's generation, business, tax settings, the live, deleted and counted\n"
         "records of each stream, the accounts with their opening balances and balances (every\n"
         "transaction, reconciled or not) and the dates the transactions span. Changes nothing.\n",
         {{"password", true}},
         1,
         1,
         RunInfo},
        {"check",
         "check a document's container and records",
         "usage: zudeduze-cli check FILE\n"
         "\n"
         "Reads every storage and stream of the container, then checks every record: numbers,\n"
         "the categories, sub categories, groups and accounts it names, split letters, transfer\n"
         "pairs and the counts block. Prints each problem; exit status 1 when there is any.\n"
         "Changes nothing.\n",
         {},
         1,
         1,
         RunCheck},
        {"worksheet",
         "print a worksheet tab",
         "usage: zudeduze-cli worksheet FILE [--tab 0..4] [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
         "         [--accounts N,N...] [--categories C or C-S,...] [--groups N,...]\n"
         "         [--include-unreconciled] [--net] [--zero-rows] [--opening-balances-in-selections]\n"
         "         [--balance-every-row] [--sort KEY] [--descending] [--format text|csv|json]\n"
         "         [--regional system|fixed] [--password PW]\n"
         "\n"
         "Prints the rows, cell texts and totals row of one worksheet tab, as the window shows it:\n"
         "  --tab N            0 Transactions (default), 1 Main Categories, 2 Sub Categories,\n"
         "                     3 Groups, 4 Quick Summary\n"
         "  --from, --to       a date range (either end may be left open)\n"
         "  --accounts         the account numbers to view (default all)\n"
         "  --categories       a selection of categories (100) and sub categories (100-2)\n"
         "  --groups           a selection of group numbers\n"
         "  --include-unreconciled   unreconciled transactions count in totals and balances\n"
         "  --net              category, group and type totals without the tax in them\n"
         "  --zero-rows        keep the rows whose total is zero (tabs 1 to 4)\n"
         "  --opening-balances-in-selections   as the option of that name\n"
         "  --balance-every-row   a balance on every row, not only on the last of each day\n"
         "  --sort KEY         the column set's sort key (default: the tab's own)\n"
         "  --descending       reverse the rows\n"
         "  --format           text (default), csv or json\n"
         "  --regional         fixed ($, dd/MM/yyyy; the default) or system (the locale's)\n",
         {{"tab", true},
          {"from", true},
          {"to", true},
          {"accounts", true},
          {"categories", true},
          {"groups", true},
          {"include-unreconciled", false},
          {"net", false},
          {"zero-rows", false},
          {"opening-balances-in-selections", false},
          {"balance-every-row", false},
          {"sort", true},
          {"descending", false},
          {"format", true},
          {"regional", true},
          {"password", true}},
         1,
         1,
         RunWorksheet},
        {"report", "print the cash flow statement, the GST/VAT or assets report of a period, or a worksheet tab",
         "usage: zudeduze-cli report cashflow|gst|assets|worksheet FILE [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
         "         [--accounts N,N...] [--categories C or C-S,...] [--groups N,...]\n"
         "         [--include-unreconciled] [--opening-balances-in-selections] [--detailed]\n"
         "         [--zero-rows] [--numbers] [--sort-by-number] [--landscape] [--subtitle TEXT]\n"
         "         [--tab N] [--format text|json|pdf] [-o FILE] [--regional system|fixed] [--password PW]\n"
         "\n"
         "Lays out the report as the Reports window prints it, every amount without its tax:\n"
         "  cashflow           the cash flow statement: category types, categories, transfers, totals,\n"
         "                     the opening balance, the nett tax and the closing balance\n"
         "  gst                the GST/VAT report (a document that keeps account of the tax)\n"
         "  assets             assets purchased and sold: the asset and funds category types, their\n"
         "                     totals, and what each included account holds over the period\n"
         "  worksheet          the worksheet's tab --tab N (0-4, as \"worksheet\" takes it) printed as\n"
         "                     the window's Print prints it, its figures as the tab shows them\n"
         "  --from, --to, --accounts, --categories, --groups, --include-unreconciled,\n"
         "  --opening-balances-in-selections   the period and filters, as \"worksheet\" takes them\n"
         "  --detailed         sub categories (cashflow, assets); the transactions behind each\n"
         "                     figure (gst)\n"
         "  --zero-rows        list the categories that total $0.00 too (cashflow, assets)\n"
         "  --numbers          show the category numbers (cashflow, assets)\n"
         "  --sort-by-number   sort by the category numbers, shown before the names (cashflow, assets)\n"
         "  --landscape        pages across: a PDF in landscape, text 110 characters wide, not 80\n"
         "  --subtitle TEXT    the line under the title (default: the period)\n"
         "  --format           text (default), json, or pdf: the printed pages (A4, or Letter\n"
         "                     where the user measures in inches) written to -o FILE by\n"
         "                     zudeduze-chart-render, installed beside this program\n"
         "  --regional         fixed ($, dd/MM/yyyy; the default) or system (the locale's)\n",
         ReportOptions(), 2, 2, RunReport},
        {"chart", "write the figures of a chart as JSON, or its picture as PNG or PDF",
         "usage: zudeduze-cli chart cashflow|categories|quicksummary|accounts|groups FILE\n"
         "         [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--accounts N,N...] [--categories C or C-S,...]\n"
         "         [--groups N,...] [--include-unreconciled] [--opening-balances-in-selections]\n"
         "         [--range daily|weekly|monthly|quarterly] [--side credit|debit] [--category C] [--net]\n"
         "         [--format json|png|pdf] [-o FILE] [--regional system|fixed] [--password PW]\n"
         "\n"
         "Writes what the chart window draws, for the transactions the worksheet shows under the filters:\n"
         "  cashflow           the credits and debits of each time slice, the average balance of each\n"
         "                     slice, and the legend box's averages and shares\n"
         "  categories         the total of each category of one side, or of each sub category of one\n"
         "                     category\n"
         "  quicksummary       the total of each category type of one side\n"
         "  accounts, groups   the credits, debits and their difference of each account or group\n"
         "  --from, --to, --accounts, --categories, --groups, --include-unreconciled,\n"
         "  --opening-balances-in-selections   the filters, as \"worksheet\" takes them\n"
         "  --range            the time slices of the cashflow chart (default monthly)\n"
         "  --side             the side of the categories and quicksummary charts (default credit when\n"
         "                     it has a total above zero, otherwise debit)\n"
         "  --category C       the categories chart of the sub categories of category C\n"
         "  --net              amounts without their tax (a document that keeps account of it)\n"
         "  --format           json (the default), or png or pdf: the chart as the chart window draws it\n"
         "                     on its printed page (A4 landscape; a PNG is its first page at 150 dpi),\n"
         "                     written to -o FILE by zudeduze-chart-render, installed beside this program\n"
         "  --regional         fixed ($, dd/MM/yyyy; the default) or system (the locale's), for the\n"
         "                     title's dates and the legend's texts\n"
         "The JSON: {\"chart\": \"...\", \"title\": \"...\", \"categories\": [...], \"series\": [{\"name\": \"...\",\n"
         "\"values\": [...]}], \"legend\": {...}}, a value null where a series leaves its place empty.\n"
         "A worksheet that shows no transaction is refused: \"No Transactions selected to chart\".\n",
         ChartOptions(), 2, 2, RunChart},
        {"find",
         "search the transactions as \"Transaction Selection\" does",
         "usage: zudeduze-cli find FILE SEARCH-FIELDS [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--accounts N,N...]\n"
         "         [--categories C or C-S,...] [--groups N,...] [--include-unreconciled]\n"
         "         [--opening-balances-in-selections] [--balance-every-row] [--sort KEY] [--descending]\n"
         "         [--format text|csv|json] [--regional system|fixed] [--password PW]\n"
         "\n"
         "Runs the transaction search of the window's \"Transaction Selection\" after the other filters and\n"
         "prints the Transactions tab's rows it leaves, with the totals row, as \"worksheet\" prints them.\n"
         "\n"
         "Quick fields (exact values; opening balances are left out unless\n"
         "--opening-balances-in-selections is given and neither \"only\" field is):\n"
         "  --number N              the transaction number (every part of a split carries it)\n"
         "  --reference TEXT        the reference, exactly, letter case counting\n"
         "  --amount X              the amount, such as 12.50\n"
         "  --unreconciled-only     unreconciled transactions only; they count in the totals\n"
         "  --transfers-only        transfers only\n"
         "\n"
         "Detailed fields (comparisons; each of number, reference and amount takes one of its forms):\n"
         "  --kind all|credit|debit           credit includes money transferred in, debit money\n"
         "                                    transferred out\n"
         "  --state all|reconciled|unreconciled   unreconciled ones count in the totals\n"
         "  --transfers include|exclude|only\n"
         "  --number-equal N, --number-above N, --number-below N, --number-from N --number-to M\n"
         "  --reference-equal R, --reference-after R, --reference-before R,\n"
         "  --reference-from R --reference-to S      (byte order: every capital before any lower case)\n"
         "  --amount-equal X, --amount-above X, --amount-below X, --amount-from X --amount-to Y\n"
         "The from/to forms include both ends. Quick and detailed fields cannot be mixed.\n"
         "A number or amount of 0 and an empty reference are refused as the window refuses them\n"
         "(\"Number not valid\", \"Reference not valid\", \"Amount not valid\"), with exit status 1.\n"
         "The other options filter and show the rows as \"worksheet\" does.\n",
         {{"number", true},
          {"reference", true},
          {"amount", true},
          {"unreconciled-only", false},
          {"transfers-only", false},
          {"kind", true},
          {"state", true},
          {"transfers", true},
          {"number-equal", true},
          {"number-above", true},
          {"number-below", true},
          {"number-from", true},
          {"number-to", true},
          {"reference-equal", true},
          {"reference-after", true},
          {"reference-before", true},
          {"reference-from", true},
          {"reference-to", true},
          {"amount-equal", true},
          {"amount-above", true},
          {"amount-below", true},
          {"amount-from", true},
          {"amount-to", true},
          {"from", true},
          {"to", true},
          {"accounts", true},
          {"categories", true},
          {"groups", true},
          {"include-unreconciled", false},
          {"opening-balances-in-selections", false},
          {"balance-every-row", false},
          {"sort", true},
          {"descending", false},
          {"format", true},
          {"regional", true},
          {"password", true}},
         1,
         1,
         RunFind},
        {"export",
         "export every transaction as CSV, QIF or a journal",
         "usage: zudeduze-cli export FILE --format csv|qif|ledger -o OUT [--password PW]\n"
         "       zudeduze-cli export FILE --tab 0..4 --format csv -o OUT [--regional system|fixed] [--password PW]\n"
         "\n"
         "  csv      one line per record (each split part, each transfer half), with a header line\n"
         "  --tab N  instead, the rows of worksheet tab N as the worksheet shows them: its columns in\n"
         "           their order, their texts and the totals row, as \"worksheet --format csv\" prints them;\n"
         "           --regional fixed ($, dd/MM/yyyy; the default) or system (the locale's)\n"
         "  qif      a bank section per account; splits as split lines, transfers in both accounts\n"
         "  ledger   a plain-text journal for ledger and hledger: accounts under Assets, categories\n"
         "           under Income and Expenses, the tax under Liabilities, opening balances against\n"
         "           Equity:Opening Balances, transfers between the asset accounts\n"
         "-o - writes to the standard output. OUT may not be the document, its journal or its backup.\n",
         {{"format", true}, {"output", true}, {"tab", true}, {"regional", true}, {"password", true}},
         1,
         1,
         RunExport},
        {"convert",
         "bring an older document to the current generation",
         "usage: zudeduze-cli convert FILE [--tax gst|vat|none] [--percent P] [--account-name NAME]\n"
         "         [--business NAME] [--number TEXT] [--password PW]\n"
         "\n"
         "Converts a document of an older generation in place, as opening it in the window does.\n"
         "The questions the conversion asks are answered by the options:\n"
         "  --tax, --percent   whether and at what rate tax is tracked (default gst at 10)\n"
         "  --account-name     the account of a first-generation document (default \"Account 1\")\n"
         "  --business, --number   the business's details when the document has none\n"
         "  --verbose          show the messages the window would show (they are shown on a failure anyway)\n"
         "The conversion reaches the disk in one step: the file is either converted whole or left as it was.\n",
         {{"tax", true},
          {"percent", true},
          {"account-name", true},
          {"business", true},
          {"number", true},
          {"password", true},
          {"verbose", false}},
         1,
         1,
         RunConvert},
        {"generate",
         "write generated books or the example document",
         "usage: zudeduze-cli generate FILE --transactions N [--accounts K] [--seed S]\n"
         "         [--tax gst|vat|none] [--percent P] [--force]\n"
         "       zudeduze-cli generate --example FILE [--which cafe|plumber] [--force]\n"
         "\n"
         "Writes realistic synthetic books: N transaction records (split parts and transfer halves\n"
         "count one each) over three years in K accounts (default 3), the same for the same seed.\n"
         "--example writes a shipped example document: a caf\xC3\xA9's first year (cafe, the default)\n"
         "or a year of a plumbing and heating business registered for VAT (plumber).\n"
         "--verbose shows the messages the window would show (they are shown on a failure anyway).\n",
         {{"transactions", true},
          {"accounts", true},
          {"seed", true},
          {"tax", true},
          {"percent", true},
          {"example", false},
          {"which", true},
          {"force", false},
          {"verbose", false}},
         1,
         1,
         RunGenerate},
        {"add",
         "enter a credit or debit transaction",
         "usage: zudeduze-cli add FILE --kind credit|debit --date YYYY-MM-DD --amount AMOUNT --category C-S\n"
         "         --account N [--group G] [--reference R] [--memo M] [--gst-percent P | --gst AMOUNT]\n"
         "         [--unreconciled] [--split --amount AMOUNT --category C-S ...] [--password PW]\n"
         "\n"
         "Enters a transaction as the transaction editor does, with the editor's checks and messages,\n"
         "and prints its number. A refused field prints the editor's message and exits with status 1.\n"
         "  --kind             credit (money in) or debit (money out)\n"
         "  --category C-S     the category and sub category numbers, such as 100-2\n"
         "  --account N        the account's number\n"
         "  --group G          the group's number (default 0, the default group)\n"
         "  --reference, --memo   the reference (20 characters) and the notes (243 characters)\n"
         "  --gst-percent P    the tax is P percent of the amount before tax\n"
         "  --gst AMOUNT       the tax in the amount; without either, the sub category's percentage\n"
         "  --unreconciled     the transaction is entered unreconciled\n"
         "  --split            starts the next split's options: --amount, --category and, when they\n"
         "                     differ from the first split's, --account, --group, --date, --reference,\n"
         "                     --memo, --gst-percent or --gst; at most 10 splits\n"
         "  --password PW      the document's password, when opening or adding is protected by it\n"
         "The transaction reaches the disk in one step: whole, or not at all.\n",
         {{"kind", true},
          {"date", true},
          {"amount", true},
          {"category", true},
          {"account", true},
          {"group", true},
          {"reference", true},
          {"memo", true},
          {"gst-percent", true},
          {"gst", true},
          {"unreconciled", false},
          {"split", false},
          {"password", true}},
         1,
         1,
         RunAdd},
        {"import",
         "import a bank statement (OFX/QFX, QIF or CSV) into an account",
         "usage: zudeduze-cli import FILE STATEMENT --account N [--type ofx|qif|csv] [--date-order dmy|mdy|ymd]\n"
         "         [--csv-columns date=1,amount=2,payee=3,memo=4,reference=5 | date=1,debit=2,credit=3,...]\n"
         "         [--decimal ,|.] [--separator X] [--credit-category C-S] [--debit-category C-S]\n"
         "         [--transfers] [--dry-run] [--format text|json] [--password PW]\n"
         "\n"
         "Reads the statement and adds each of its lines to account N as a credit (money in) or a debit\n"
         "(money out), as the import window does. A line already in the account (the same amount within\n"
         "3 days, with the same reference or payee) is skipped as a duplicate, so importing a statement\n"
         "twice adds nothing; a line that cannot be read is skipped with its reason. Each line takes the\n"
         "category its payee was given most often before (or the category a QIF file names).\n"
         "  --type             the format; otherwise told from the content (and the name's extension)\n"
         "  --date-order       how the statement writes dates such as 01/02/26; otherwise told from its\n"
         "                     dates (a CSV whose dates fit both orders is refused without it; QIF takes\n"
         "                     month first)\n"
         "  --csv-columns      which CSV column holds what, counted from 1; otherwise from the header row\n"
         "  --decimal, --separator   the CSV's decimal mark and field separator (, ; or tab); otherwise\n"
         "                     told from the file\n"
         "  --credit-category, --debit-category C-S   the category and sub category for lines of that\n"
         "                     side without a suggestion; without them such lines are listed and left out\n"
         "  --transfers        a line whose other side is another account of the document (a QIF\n"
         "                     category \"[Account]\") becomes a transfer with that account\n"
         "  --dry-run          shows what would be imported and writes nothing\n"
         "  --format           text (the default) or json: every line with what became of it\n"
         "A statement that cannot be read at all is refused with the line that shows why, and nothing\n"
         "is written. The lines added reach the disk in one step: all of them, or none.\n",
         {{"account", true},
          {"type", true},
          {"date-order", true},
          {"csv-columns", true},
          {"decimal", true},
          {"separator", true},
          {"credit-category", true},
          {"debit-category", true},
          {"transfers", false},
          {"dry-run", false},
          {"format", true},
          {"password", true}},
         2,
         2,
         RunImport},
        {"delete",
         "delete a credit or debit transaction with all its splits",
         "usage: zudeduze-cli delete FILE NUMBER [--password PW]\n"
         "\n"
         "Deletes every split of the credit or debit transaction NUMBER, in one step, as the\n"
         "transaction editor's Delete does. Opening balances and transfers are not deleted here.\n"
         "  --password PW      the document's password, when opening or deleting is protected by it\n",
         {{"password", true}},
         2,
         2,
         RunDelete},
        {"transfer",
         "move money from one account to another",
         "usage: zudeduze-cli transfer FILE --from-account N --to-account M --date YYYY-MM-DD --amount AMOUNT\n"
         "         [--reference R] [--memo M] [--password PW]\n"
         "\n"
         "Enters a transfer as the transfer window does, with its checks and messages: a \"Transfer To\"\n"
         "record in account N and a \"Transfer From\" record in account M, numbered one after the\n"
         "other, each naming the other. Prints the two numbers. A refused field prints the window's\n"
         "message and exits with status 1.\n"
         "  --from-account N   the account the money leaves\n"
         "  --to-account M     the account the money enters\n"
         "  --amount AMOUNT    more than 0\n"
         "  --reference, --memo   the reference (20 characters) and the notes (247 characters), kept on\n"
         "                     the \"Transfer To\" record\n"
         "  --password PW      the document's password, when opening or adding is protected by it\n"
         "Both records reach the disk in one step: both, or neither.\n",
         {{"from-account", true},
          {"to-account", true},
          {"date", true},
          {"amount", true},
          {"reference", true},
          {"memo", true},
          {"password", true}},
         1,
         1,
         RunTransfer},
    };
    return commands;
}

void Usage(std::ostream& out) {
    out << "usage: zudeduze-cli COMMAND [ARGUMENTS]\n\nQuillmar Zudeduze's cash books from the command line.\n\n"
           "Commands:\n";
    for (const Command& command : Commands()) {
        std::string name = command.Name;
        name.resize(12, ' ');
        out << "  " << name << command.Summary << '\n';
    }
    out << "\n\"zudeduze-cli COMMAND --help\" tells more about each.\n";
}

const Command* Find(const std::string& name) {
    for (const Command& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

int Run(int argc, char** argv) {
    if (argc < 2)
        return Fail("a command is missing (see zudeduze-cli --help)");
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        const Command* command = argc > 2 ? Find(argv[2]) : nullptr;
        if (command)
            std::cout << command->Help;
        else
            Usage(std::cout);
        return 0;
    }
    const Command* command = Find(name);
    if (!command)
        return Fail("unknown command \"" + name + "\" (see zudeduze-cli --help)");
    Arguments args;
    std::string error;
    if (!ParseArguments(command->Options, command->MinPositional, command->MaxPositional, argc, argv, 2, args, error))
        return Fail(std::string(command->Name) + ": " + error + " (see zudeduze-cli " + command->Name + " --help)");
    if (args.Help) {
        std::cout << command->Help;
        return 0;
    }
    return command->Run(args);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (const std::exception& e) {
        return Fail(std::string("internal error: ") + e.what());
    }
}
