#pragma once
// The page setup ("Print Setup & Margins"): printer, paper, orientation and the four margins of
// a printout, with a small picture of the page. `TSpecPageSetup` keeps the choice between uses;
// `TPageSetup` is its dialog. Without any printer installed the dialog still offers the common
// paper sizes, so that a report can be laid out for a PDF.

#include "reports/PageMargins.h"

#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <QPageSize>

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QPushButton;

namespace qz::gui {

// A printer the dialog offers, as the print system describes it.
struct TPrinterChoice {
    QString Name; // empty: no printer, the report goes to a PDF
    QString Status;
    QString Type;
    QString Where;
    QString Comment;
    QList<QPageSize> Papers; // the driver's paper sizes; the common ones when it gives none
};

// The machine's printers, the default one first; empty without any.
std::vector<TPrinterChoice> MachinePrinters();
// A4, Letter, Legal, A3, A5 and the other sizes offered when no driver gives a list.
QList<QPageSize> CommonPaperSizes();
// The default printer's paper, which a report starts from; without a printer A4, or Letter for a
// user whose measurement system is U.S.
QPageSize DefaultPrinterPaper();

class TSpecPageSetup {
public:
    TPageMargins Margins;                // millimetres
    TPageMargins Minima{10, 10, 10, 10}; // the smallest margins the user may set
    TPaperOrientation PaperOrientation = TPaperOrientation::Portrait;
    QPageSize Paper{QPageSize::A4};
    QString PrinterName; // empty for none
    // True when the user's measurement system is U.S.: the margins are shown in inches.
    bool InchMode = false;

    TSpecPageSetup();

    // Shows the dialog; true after "OK", with the choice stored here.
    bool Execute(QWidget* parent = nullptr);
    // The page the print path lays a report out on.
    QPageLayout PageLayout() const;
    // The page for a run in `orientation`: when it differs, the margins turn with the paper first.
    QPageLayout PageLayout(TPaperOrientation orientation);
};

class TPageSetup : public QDialog {
    Q_OBJECT
public:
    // `printers` as MachinePrinters() gives them; empty, the dialog offers paper for a PDF.
    TPageSetup(TSpecPageSetup& setup, std::vector<TPrinterChoice> printers, QWidget* parent = nullptr);
    ~TPageSetup() override;

    const TMarginPanel& Panel() const { return Margins; }
    const QPixmap& Picture() const { return PreviewImage; }

    QComboBox* PrinterList = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* TypeLabel = nullptr;
    QLabel* WhereLabel = nullptr;
    QLabel* CommentLabel = nullptr;
    QComboBox* SizeList = nullptr;
    QComboBox* SourceList = nullptr;
    QRadioButton* PortraitBtn = nullptr;
    QRadioButton* LandscapeBtn = nullptr;
    QGroupBox* MarginsBox = nullptr;
    std::array<QLineEdit*, 4> MarginBoxes{};    // left, right, top, bottom
    std::array<QToolButton*, 4> DecreaseBtns{}; // "Decrease Margin"
    std::array<QToolButton*, 4> IncreaseBtns{}; // "Increase Margin"
    QPushButton* ResetBtn = nullptr;
    QLabel* PreviewLabel = nullptr;
    QPushButton* OKBtn = nullptr;

private:
    QGroupBox* MakePrinterBox();
    QGroupBox* MakePaperBox();
    QGroupBox* MakeOrientationBox();
    QGroupBox* MakeMarginsBox();
    QGroupBox* MakePreviewBox();
    void PrinterChanged(int index);
    void LoadPapers();
    void PaperChanged();
    void OrientationClick(TPaperOrientation orientation);
    void MarginTyped(int side);
    void MarginBoxExit(int side);
    void ShowMargins();
    void DrawPreview();
    void OKBtnClick();
    QPageSize ChosenPaper() const;

    TSpecPageSetup& Setup;
    std::vector<TPrinterChoice> Printers;
    QList<QPageSize> ShownPapers; // what the size list offers, in its order
    TMarginPanel Margins;
    QPixmap PreviewImage;
    bool Loading = false;
};

} // namespace qz::gui
