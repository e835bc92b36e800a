#include "ColumnProperties.h"

#include "ColorPalette.h"
#include "Grid3.h"
#include "WinColour.h"
#include "controls/HelpContext.h"
#include "options/ColorPick.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr const char* ViewCaptions[ViewCount] = {"Transactions", "Main Categories", "Sub Categories", "Groups",
                                                 "Quick Summary"};
constexpr int SwatchSize = 14;
constexpr int SampleRows = 3;

// The colours a column is drawn in: its palette entries in palette mode.
QColor BackgroundOf(const TColProperty& column, TColourClass colours) {
    return colours == TColourClass::Palette256 ? ToQColor(PaletteIndex(column.ColorIndex)) : ToQColor(column.Color);
}
QColor TextOf(const TColProperty& column, TColourClass colours) {
    return colours == TColourClass::Palette256 ? ToQColor(PaletteIndex(column.FontColIndex)) : ToQColor(column.FontCol);
}

// The list of columns: the selected one with a swatch and its title in bold, the other shown
// ones in their colours, hidden ones engraved on the button face.
class TColumnDelegate : public QStyledItemDelegate {
public:
    TColumnDelegate(const TColumnProperties& owner, TColourClass colours, QObject* parent)
        : QStyledItemDelegate(parent), Owner(owner), Colours(colours) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const TColumns& columns = Owner.Copy(Owner.View());
        if (index.row() >= columns.Count())
            return;
        const TColProperty& column = columns[index.row()];
        const QRect box = option.rect;
        const QString title = FromDocument(column.Title).replace(QStringLiteral("&&"), QStringLiteral("&"));
        const QPalette& palette = option.palette;
        painter->save();
        QFont font = option.font;
        if (!column.Visible) {
            painter->fillRect(box, palette.color(QPalette::Button));
            const QRect text = box.adjusted(SwatchSize + 10, 0, 0, 0);
            painter->setPen(Qt::white);
            painter->drawText(text.translated(1, 1), Qt::AlignVCenter | Qt::AlignLeft, title);
            painter->setPen(palette.color(QPalette::Dark));
            painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, title);
        } else {
            painter->fillRect(box, BackgroundOf(column, Colours));
            painter->setPen(TextOf(column, Colours));
            if (option.state & QStyle::State_Selected)
                font.setBold(true);
            painter->setFont(font);
            painter->drawText(box.adjusted(SwatchSize + 10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
        }
        if (option.state & QStyle::State_Selected) {
            const QRect swatch(box.left() + 4, box.center().y() - SwatchSize / 2, SwatchSize, SwatchSize);
            painter->fillRect(swatch, BackgroundOf(column, Colours));
            painter->setPen(palette.color(QPalette::WindowText));
            painter->drawRect(swatch.adjusted(0, 0, -1, -1));
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(TextOf(column, Colours));
            painter->drawEllipse(swatch.adjusted(3, 3, -3, -3));
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(palette.color(QPalette::Highlight), 1, Qt::DotLine));
            painter->drawRect(box.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), SwatchSize + 6));
        return size;
    }

private:
    const TColumnProperties& Owner;
    TColourClass Colours;
};

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TColumnProperties::TColumnProperties(std::array<TGridInfo, ViewCount>& sets, bool& customised, int activeTab,
                                     TColourClass colours, QWidget* parent)
    : QDialog(parent), MainSets(sets), Customised(customised), Colours(colours), Sets(sets) {
    setWindowTitle(QStringLiteral("Column Properties"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);

    Tabs = new QTabBar(this);
    Tabs->setObjectName(QStringLiteral("ViewTabs"));
    Tabs->setExpanding(false);
    for (const char* caption : ViewCaptions)
        Tabs->addTab(QLatin1String(caption));

    auto* columnsGroup = new QGroupBox(QStringLiteral("Columns"), this);
    ColumnList = new QListWidget(columnsGroup);
    ColumnList->setObjectName(QStringLiteral("ColumnList"));
    ColumnList->setItemDelegate(new TColumnDelegate(*this, Colours, ColumnList));
    ColumnList->setMinimumWidth(190);
    ColumnList->setMouseTracking(false);
    UpBtn = Button(QStringLiteral("\u25B2"), "UpBtn", columnsGroup);
    DownBtn = Button(QStringLiteral("\u25BC"), "DownBtn", columnsGroup);
    UpBtn->setToolTip(QStringLiteral("Move the column up"));
    DownBtn->setToolTip(QStringLiteral("Move the column down"));
    for (QPushButton* button : {UpBtn, DownBtn}) {
        button->setAutoRepeat(true);
        button->setFixedWidth(32);
    }
    auto* moveButtons = new QVBoxLayout;
    moveButtons->addStretch();
    moveButtons->addWidget(UpBtn);
    moveButtons->addWidget(DownBtn);
    moveButtons->addStretch();
    auto* columnsLayout = new QHBoxLayout(columnsGroup);
    columnsLayout->addWidget(ColumnList, 1);
    columnsLayout->addLayout(moveButtons);

    auto* propertiesGroup = new QGroupBox(QStringLiteral("Properties"), this);
    VisibleBox = new QCheckBox(QStringLiteral("Visible"), propertiesGroup);
    VisibleBox->setObjectName(QStringLiteral("VisibleBox"));
    WidthBox = new QSpinBox(propertiesGroup);
    WidthBox->setObjectName(QStringLiteral("WidthBox"));
    auto* widthLabel = new QLabel(QStringLiteral("Width"), propertiesGroup);
    widthLabel->setBuddy(WidthBox);
    FontColourBtn = Button(QStringLiteral("Font Colour"), "FontColourBtn", propertiesGroup);
    ColumnColourBtn = Button(QStringLiteral("Column Colour"), "ColumnColourBtn", propertiesGroup);
    auto* propertiesLayout = new QGridLayout(propertiesGroup);
    propertiesLayout->addWidget(VisibleBox, 0, 0, 1, 2);
    propertiesLayout->addWidget(widthLabel, 1, 0);
    propertiesLayout->addWidget(WidthBox, 1, 1);
    propertiesLayout->addWidget(FontColourBtn, 2, 0, 1, 2);
    propertiesLayout->addWidget(ColumnColourBtn, 3, 0, 1, 2);

    auto* sampleGroup = new QGroupBox(QStringLiteral("Sample"), this);
    SampleGrid = new TGrid3(sampleGroup);
    SampleGrid->setObjectName(QStringLiteral("SampleGrid"));
    SampleGrid->SetMaxCols(1);
    SampleGrid->SetColourClass(Colours);
    SampleGrid->SetGradients(false);
    SampleGrid->SetDisallowColBtns(true);
    SampleGrid->SetAnimationOn(false);
    SampleGrid->SetSlideDelay(0);
    SampleGrid->setFont(parent ? parent->font() : font());
    SampleGrid->setMinimumHeight(120);
    SampleGrid->OnGetText = [](int line, std::vector<std::string>& texts, bool& enabled, std::uint8_t&, TColour&) {
        texts.assign(1, line < SampleRows ? std::string("Sample") : std::string("-1"));
        enabled = true;
    };
    SampleGrid->OnColumnSize = [this](int, int size) {
        if (Column())
            WidthBox->setValue(size);
    };
    SampleGrid->OnSpecBtnClick = [this](TSpecBtnKind kind) {
        TColProperty* column = Column();
        if (!column)
            return;
        if (kind == sbLock)
            WidthBox->setValue(column->MinWidth);
        else if (const TColProperty* main = MainColumn())
            WidthBox->setValue(main->Width);
    };
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(SampleGrid);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    ApplyBtn = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    ResetBtn = buttons->addButton(QStringLiteral("&Reset"), QDialogButtonBox::ResetRole);
    ResetBtn->setObjectName(QStringLiteral("ResetBtn"));
    for (QPushButton* button : {ok, cancel, ApplyBtn, ResetBtn})
        button->setAutoDefault(false);
    ApplyBtn->setEnabled(false);
    ResetBtn->setEnabled(false);

    connect(ok, &QPushButton::clicked, this, &TColumnProperties::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ApplyBtn, &QPushButton::clicked, this, &TColumnProperties::ApplyBtnClick);
    connect(ResetBtn, &QPushButton::clicked, this, &TColumnProperties::ResetBtnClick);
    connect(Tabs, &QTabBar::currentChanged, this, [this] { FillList(); });
    connect(ColumnList, &QListWidget::currentRowChanged, this, [this] { ShowColumn(); });
    connect(UpBtn, &QPushButton::clicked, this, [this] { MoveColumn(-1); });
    connect(DownBtn, &QPushButton::clicked, this, [this] { MoveColumn(1); });
    connect(VisibleBox, &QCheckBox::toggled, this, [this](bool on) {
        TColProperty* column = Column();
        if (Filling || !column || column->Visible == on)
            return;
        column->Visible = on;
        Changed();
    });
    connect(WidthBox, &QSpinBox::valueChanged, this, [this](int width) {
        TColProperty* column = Column();
        if (Filling || !column || column->Width == width)
            return;
        column->Width = width;
        Changed();
    });
    connect(FontColourBtn, &QPushButton::clicked, this, [this] { PickColour(true); });
    connect(ColumnColourBtn, &QPushButton::clicked, this, [this] { PickColour(false); });

    auto* right = new QVBoxLayout;
    right->addWidget(propertiesGroup);
    right->addWidget(sampleGroup, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(columnsGroup, 1);
    body->addLayout(right);
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    page->setLayout(body);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(Tabs);
    layout->addWidget(page, 1);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    resize(560, 400);

    Tabs->setCurrentIndex(std::clamp(activeTab, 0, ViewCount - 1));
    FillList();
}

bool TColumnProperties::Edit(QWidget* parent, std::array<TGridInfo, ViewCount>& sets, bool& customised, int activeTab,
                             TColourClass colours, const std::function<void()>& repaintGrid) {
    TColumnProperties window(sets, customised, activeTab, colours, parent);
    window.OnRepaintGrid = repaintGrid;
    window.exec();
    if (customised && repaintGrid)
        repaintGrid();
    return window.WorksheetChanged();
}

int TColumnProperties::View() const {
    return std::clamp(Tabs->currentIndex(), 0, ViewCount - 1);
}

int TColumnProperties::Selected() const {
    return ColumnList->currentRow();
}

void TColumnProperties::SelectColumn(int index) {
    ColumnList->setCurrentRow(index);
}

TColProperty* TColumnProperties::Column() {
    TColumns& columns = Sets[static_cast<std::size_t>(View())].ColInfo;
    const int row = Selected();
    return row >= 0 && row < columns.Count() ? &columns[row] : nullptr;
}

// The same column in the main window's set: the one showing the same slot of the row.
const TColProperty* TColumnProperties::MainColumn() const {
    const TColumns& columns = MainSets[static_cast<std::size_t>(View())].ColInfo;
    const TColumns& copy = Sets[static_cast<std::size_t>(View())].ColInfo;
    const int row = Selected();
    if (row < 0 || row >= copy.Count())
        return nullptr;
    for (const TColProperty& column : columns.Items)
        if (column.LinkIndex == copy[row].LinkIndex && column.Title == copy[row].Title)
            return &column;
    return nullptr;
}

void TColumnProperties::FillList() {
    const TColumns& columns = Copy(View());
    {
        const QSignalBlocker quiet(ColumnList);
        ColumnList->clear();
        for (const TColProperty& column : columns.Items)
            ColumnList->addItem(FromDocument(column.Title));
        ColumnList->setCurrentRow(columns.Count() > 0 ? 0 : -1);
    }
    ShowColumn();
}

void TColumnProperties::ShowColumn() {
    const TColProperty* column = Column();
    Filling = true;
    VisibleBox->setEnabled(column);
    VisibleBox->setChecked(column && column->Visible);
    const bool shown = column && column->Visible;
    WidthBox->setEnabled(shown);
    FontColourBtn->setEnabled(shown);
    ColumnColourBtn->setEnabled(shown);
    if (column) {
        WidthBox->setRange(std::min(NarrowestWidth, column->MaxWidth), column->MaxWidth);
        WidthBox->setValue(column->Width);
    }
    const int row = Selected();
    UpBtn->setEnabled(row > 0);
    DownBtn->setEnabled(column && row < Copy(View()).Count() - 1);
    Filling = false;
    ColumnList->viewport()->update();
    ShowSample();
}

void TColumnProperties::ShowSample() {
    const TColProperty* column = Column();
    SampleGrid->setVisible(column && column->Visible);
    if (!column)
        return;
    // The sample shows the column alone, in slot 0, neither sorting nor totalling.
    TColProperty shown = *column;
    shown.LinkIndex = 0;
    shown.SortIndex = -1;
    shown.AllowSort = false;
    shown.ShowTotal = false;
    shown.Visible = true;
    shown.DefaultWidth = column->Width;
    if (Colours == TColourClass::Palette256) {
        shown.Color = PaletteIndex(column->ColorIndex);
        shown.FontCol = PaletteIndex(column->FontColIndex);
    }
    SampleInfo.ColInfo.Items.assign(1, shown);
    SampleInfo.SortIndex = -1;
    SampleInfo.SizePicture();
    SampleGrid->SetGridInfo(&SampleInfo);
    SampleGrid->SetRowCount(SampleRows);
    SampleGrid->RefreshGrid(true);
}

void TColumnProperties::Changed() {
    Unapplied = true;
    ApplyBtn->setEnabled(true);
    ResetBtn->setEnabled(true);
    ShowColumn();
}

void TColumnProperties::MoveColumn(int step) {
    TColumns& columns = Sets[static_cast<std::size_t>(View())].ColInfo;
    const int row = Selected();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= columns.Count())
        return;
    columns.Exchange(row, target);
    {
        const QSignalBlocker quiet(ColumnList);
        ColumnList->item(row)->setText(FromDocument(columns[row].Title));
        ColumnList->item(target)->setText(FromDocument(columns[target].Title));
        ColumnList->setCurrentRow(target);
    }
    Changed();
}

void TColumnProperties::PickColour(bool text) {
    TColProperty* column = Column();
    if (!column)
        return;
    if (Colours == TColourClass::Palette256) {
        std::uint8_t& entry = text ? column->FontColIndex : column->ColorIndex;
        const std::optional<int> chosen = TColorPick::Pick(this, entry);
        if (!chosen || *chosen == entry)
            return;
        entry = static_cast<std::uint8_t>(*chosen);
        // Palette mode draws with the entries.
        (text ? column->FontCol : column->Color) = PaletteIndex(entry);
    } else {
        TColour& colour = text ? column->FontCol : column->Color;
        const QColor chosen = QColorDialog::getColor(
            ToQColor(colour), this, text ? QStringLiteral("Font Colour") : QStringLiteral("Column Colour"));
        if (!chosen.isValid() || FromQColor(chosen) == colour)
            return;
        colour = FromQColor(chosen);
    }
    Changed();
}

void TColumnProperties::ResetBtnClick() {
    TColProperty* column = Column();
    const TColProperty* main = MainColumn();
    if (!column || !main)
        return;
    column->Visible = main->Visible;
    column->Width = main->Width;
    column->FontCol = main->FontCol;
    column->Color = main->Color;
    column->FontColIndex = main->FontColIndex;
    column->ColorIndex = main->ColorIndex;
    Changed();
}

void TColumnProperties::CopyToWorksheet() {
    if (!Unapplied)
        return;
    // Only the columns: sort keys and scroll places stay the worksheet's.
    for (int view = 0; view < ViewCount; ++view) {
        TGridInfo& main = MainSets[static_cast<std::size_t>(view)];
        main.ColInfo = Sets[static_cast<std::size_t>(view)].ColInfo;
        main.SizePicture();
    }
    Customised = true;
    Unapplied = false;
    Applied = true;
}

void TColumnProperties::ApplyBtnClick() {
    CopyToWorksheet();
    ApplyBtn->setEnabled(false);
    if (OnRepaintGrid)
        OnRepaintGrid();
}

void TColumnProperties::OKBtnClick() {
    CopyToWorksheet();
    accept();
}

} // namespace qz::gui
