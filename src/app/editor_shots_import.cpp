// editor_shots_import: pictures of the import window, saved as import-ofx.png (an OFX statement:
// a payee the books know, a line already in the account, a bad line, lines for the chosen
// category) and import-csv.png (a CSV statement without a header row, its columns chosen in the
// mapping panel).
//   xvfb-run -a editor_shots_import [document.kqk] [output-folder]
// The statements are written to a scratch folder; nothing is imported.

#include "EditorShots.h"
#include "import/CsvMappingPanel.h"
#include "import/ImportForm.h"

#include "filters/ExportText.h"
#include "ledger/Cp1252.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

std::string Ymd(TDateTime date) {
    std::string text = IsoDateText(date);
    std::erase(text, '-');
    return text;
}

std::string Xml(const std::string& text) {
    std::string escaped;
    for (const char c : text)
        escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return escaped;
}

// The debits of the first account, latest last.
std::vector<const TTransRec*> Debits(const TLedger& ledger) {
    std::vector<const TTransRec*> debits;
    const std::int32_t account = ledger.BookList.KeyList.front()->Number;
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (t->Kind == TransDebit && t->Book == account && !t->Notes.empty())
            debits.push_back(t);
    return debits;
}

std::string Statement(const TLedger& ledger) {
    const std::vector<const TTransRec*> debits = Debits(ledger);
    const TTransRec* known = debits[debits.size() / 2];
    const TTransRec* last = debits.back();
    const TDateTime day = DayOf(last->Date);
    struct Line {
        TDateTime Date;
        std::string Amount, Id, Name, Memo;
    };
    const Line lines[] = {
        {day, "-" + PlainAmount(last->Amount), "20250630-01", Cp1252ToUtf8(last->Notes), ""},
        {day + 1, "-" + PlainAmount(known->Amount), "20250701-01", Cp1252ToUtf8(known->Notes), "Card 4411"},
        {day + 2, "1480.00", "20250702-01", "FUNCTION DEPOSIT", "Wedding 14 Sept"},
        {day + 3, "-38.455", "20250703-01", "CARD SURCHARGE", ""},
        {day + 4, "-112.60", "20250704-02", "CITY WATER", "Account 0091"},
        {day + 5, "-9.50", "20250705-01", "ACCOUNT FEE", ""},
    };
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n"
           "<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
           "<DTSERVER>20250706</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n"
           "<BANKMSGSRSV1><STMTTRNRS><TRNUID>0</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
           "<STMTRS><CURDEF>AUD</CURDEF><BANKACCTFROM><BANKID>062000</BANKID><ACCTID>1234</ACCTID>"
           "<ACCTTYPE>CHECKING</ACCTTYPE></BANKACCTFROM><BANKTRANLIST><DTSTART>"
        << Ymd(day) << "</DTSTART><DTEND>" << Ymd(day + 5) << "</DTEND>\n";
    for (const Line& l : lines)
        out << "<STMTTRN><TRNTYPE>OTHER</TRNTYPE><DTPOSTED>" << Ymd(l.Date) << "</DTPOSTED><TRNAMT>" << l.Amount
            << "</TRNAMT><FITID>" << l.Id << "</FITID><NAME>" << Xml(l.Name) << "</NAME>"
            << (l.Memo.empty() ? "" : "<MEMO>" + Xml(l.Memo) + "</MEMO>") << "</STMTTRN>\n";
    out << "</BANKTRANLIST><LEDGERBAL><BALAMT>0.00</BALAMT><DTASOF>" << Ymd(day + 5)
        << "</DTASOF></LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n";
    return out.str();
}

const char* const CsvStatement = "06.07.2025;EFTPOS;Fresh Fields Produce;-86,40;000431\n"
                                 "07.07.2025;DEP;Function deposit Jones;1.200,00;000432\n"
                                 "08.07.2025;EFTPOS;Harbour Linen Service;-64,90;000433\n"
                                 "09.07.2025;DD;City Water;-112,60;000434\n"
                                 "10.07.2025;EFTPOS;Fresh Fields Produce;-91,15;000435\n"
                                 "11.07.2025;FEE;Account fee;-9,50;000436\n";

bool Write(const QString& path, const std::string& text) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// The side's category a bank line most likely needs: takings or sales for money in, bank fees
// for money out, else the first.
void ChooseFallback(QComboBox* box) {
    for (const char* name : {"Takings", "Sales", "Bank", "Sundr"})
        if (const int at = box->findText(QString::fromLatin1(name), Qt::MatchContains); at > 0) {
            box->setCurrentIndex(at);
            return;
        }
    box->setCurrentIndex(1);
}

void Choose(TCsvMappingPanel& panel, const char* name, int data) {
    QComboBox* box = panel.Chooser(QString::fromLatin1(name));
    box->setCurrentIndex(box->findData(data));
}

bool Shoot(TShotDocument& document, const QString& folder) {
    QTemporaryDir scratch;
    MemoryRegistry values;
    const TImportContext context{&document.Edit, &document.Formats, &values};
    bool saved = true;
    {
        const QString path = scratch.filePath(QStringLiteral("statement-july.ofx"));
        if (!Write(path, Statement(document.Ledger)))
            return false;
        TImportForm window(context, path.toStdString());
        if (!window.Load()) {
            std::fprintf(stderr, "%s\n", document.Prompts.LastText().c_str());
            return false;
        }
        ChooseFallback(window.FallbackBox(true));
        saved &= SaveShot(window, folder, "import-ofx");
    }
    {
        const QString path = scratch.filePath(QStringLiteral("cheque-account.csv"));
        if (!Write(path, CsvStatement))
            return false;
        TImportForm window(context, path.toStdString());
        if (!window.Load()) {
            std::fprintf(stderr, "%s\n", document.Prompts.LastText().c_str());
            return false;
        }
        TCsvMappingPanel& panel = *window.MappingPanel();
        Choose(panel, "Date", 1);
        Choose(panel, "Payee", 3);
        Choose(panel, "Amount", 4);
        Choose(panel, "Reference", 5);
        Choose(panel, "DateOrder", static_cast<int>(TDateOrder::DayMonthYear));
        ChooseFallback(window.FallbackBox(true));
        ChooseFallback(window.FallbackBox(false));
        saved &= SaveShot(window, folder, "import-csv");
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot, QStringLiteral("docs/import"));
}
