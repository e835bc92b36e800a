#include "CsvMappingPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qz::gui {

namespace {

constexpr const char* ColumnNames[7] = {"Date", "Amount", "Debit", "Credit", "Payee", "Memo", "Reference"};
constexpr const char* ColumnCaptions[7] = {
    "&Date:", "&Amount:", "De&bit:", "C&redit:", "&Payee:", "&Memo:", "Re&ference:"};
constexpr int TextWidth = 18;

int TCsvColumns::*const ColumnFields[7] = {&TCsvColumns::Date,     &TCsvColumns::Amount, &TCsvColumns::Debit,
                                           &TCsvColumns::Credit,   &TCsvColumns::Payee,  &TCsvColumns::Memo,
                                           &TCsvColumns::Reference};

QString Shortened(const std::string& text) {
    QString shown = QString::fromStdString(text).simplified();
    if (shown.size() > TextWidth)
        shown = shown.left(TextWidth - 1) + QChar(0x2026);
    return shown;
}

void Select(QComboBox* box, int data) {
    const int at = box->findData(data);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

} // namespace

TCsvMappingPanel::TCsvMappingPanel(QWidget* parent) : QGroupBox(QStringLiteral("CSV columns"), parent) {
    setObjectName(QStringLiteral("CsvMappingPanel"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < 7; ++i) {
        Columns[i] = AddChooser(QString::fromLatin1(ColumnNames[i]));
        auto* label = new QLabel(QString::fromLatin1(ColumnCaptions[i]), this);
        label->setBuddy(Columns[i]);
        grid->addWidget(label, i / 4, (i % 4) * 2);
        grid->addWidget(Columns[i], i / 4, (i % 4) * 2 + 1);
    }
    SeparatorBox = AddChooser(QStringLiteral("Separator"));
    SeparatorBox->addItem(QStringLiteral("Comma"), int(','));
    SeparatorBox->addItem(QStringLiteral("Semicolon"), int(';'));
    SeparatorBox->addItem(QStringLiteral("Tab"), int('\t'));
    DecimalBox = AddChooser(QStringLiteral("Decimal"));
    DecimalBox->addItem(QStringLiteral("As the amounts show"), 0);
    DecimalBox->addItem(QStringLiteral("Point (1,234.56)"), int('.'));
    DecimalBox->addItem(QStringLiteral("Comma (1.234,56)"), int(','));
    OrderBox = AddChooser(QStringLiteral("DateOrder"));
    OrderBox->addItem(QStringLiteral("As the dates show"), int(TDateOrder::Unknown));
    OrderBox->addItem(QStringLiteral("Day first (31/12/2026)"), int(TDateOrder::DayMonthYear));
    OrderBox->addItem(QStringLiteral("Month first (12/31/2026)"), int(TDateOrder::MonthDayYear));
    OrderBox->addItem(QStringLiteral("Year first (2026-12-31)"), int(TDateOrder::YearMonthDay));
    const std::pair<const char*, QComboBox*> settings[] = {
        {"&Separator:", SeparatorBox}, {"Decimal mar&k:", DecimalBox}, {"Date &order:", OrderBox}};
    int column = 0;
    for (const auto& [caption, box] : settings) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(box);
        grid->addWidget(label, 2, column);
        grid->addWidget(box, 2, column + 1);
        column += 2;
    }
    for (int i = 1; i < 8; i += 2)
        grid->setColumnStretch(i, 1);
}

QComboBox* TCsvMappingPanel::AddChooser(const QString& name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
        if (!Filling)
            emit Changed();
    });
    return box;
}

QComboBox* TCsvMappingPanel::Chooser(const QString& name) const {
    return findChild<QComboBox*>(name);
}

void TCsvMappingPanel::SetLayout(const TCsvLayout& layout) {
    const TCsvMapping kept = Mapping();
    Filling = true;
    for (QComboBox* box : Columns) {
        box->clear();
        box->addItem(QStringLiteral("(none)"), 0);
        const std::vector<std::string>& names =
            layout.HasHeader || layout.Rows.empty() ? layout.Header : layout.Rows.front();
        for (std::size_t i = 0; i < names.size(); ++i)
            box->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(Shortened(names[i])), static_cast<int>(i + 1));
    }
    Filling = false;
    SetMapping(kept);
}

void TCsvMappingPanel::SetMapping(const TCsvMapping& mapping) {
    Filling = true;
    for (int i = 0; i < 7; ++i)
        Select(Columns[i], mapping.Columns.*ColumnFields[i]);
    Select(SeparatorBox, mapping.Separator);
    Select(DecimalBox, mapping.DecimalMark);
    Select(OrderBox, static_cast<int>(mapping.Order));
    Filling = false;
}

TCsvMapping TCsvMappingPanel::Mapping() const {
    TCsvMapping mapping;
    for (int i = 0; i < 7; ++i)
        mapping.Columns.*ColumnFields[i] = Columns[i]->currentData().toInt();
    mapping.Separator = static_cast<char>(SeparatorBox->currentData().toInt());
    mapping.DecimalMark = static_cast<char>(DecimalBox->currentData().toInt());
    mapping.Order = static_cast<TDateOrder>(OrderBox->currentData().toInt());
    return mapping;
}

} // namespace qz::gui
