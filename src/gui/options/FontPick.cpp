#include "FontPick.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

TFontPick::TFontPick(const QFont& font, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    FamilyBox = new QFontComboBox(this);
    FamilyBox->setObjectName(QStringLiteral("FamilyBox"));
    FamilyBox->setCurrentFont(font);
    SizeList = new QListWidget(this);
    SizeList->setObjectName(QStringLiteral("SizeList"));
    for (int size = MinSize; size <= MaxSize; ++size)
        SizeList->addItem(QString::number(size));
    SizeList->setCurrentRow(std::clamp(font.pointSize(), MinSize, MaxSize) - MinSize);
    SizeList->setFixedWidth(60);
    BoldBox = new QCheckBox(QStringLiteral("&Bold"), this);
    BoldBox->setObjectName(QStringLiteral("BoldBox"));
    BoldBox->setChecked(font.bold());
    ItalicBox = new QCheckBox(QStringLiteral("&Italic"), this);
    ItalicBox->setObjectName(QStringLiteral("ItalicBox"));
    ItalicBox->setChecked(font.italic());

    auto* sampleGroup = new QGroupBox(QStringLiteral("Sample"), this);
    SampleLabel = new QLabel(QStringLiteral("AaBbYyZz 1,234.50"), sampleGroup);
    SampleLabel->setAlignment(Qt::AlignCenter);
    SampleLabel->setMinimumHeight(48);
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(SampleLabel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Font:"), this), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Size:"), this), 0, 1);
    fields->addWidget(FamilyBox, 1, 0);
    fields->addWidget(SizeList, 1, 1, 3, 1);
    fields->addWidget(BoldBox, 2, 0);
    fields->addWidget(ItalicBox, 3, 0);
    fields->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(sampleGroup);
    layout->addWidget(buttons);
    SizeList->setMaximumHeight(120);

    connect(FamilyBox, &QFontComboBox::currentFontChanged, this, [this] { ShowSample(); });
    connect(SizeList, &QListWidget::currentRowChanged, this, [this] { ShowSample(); });
    connect(BoldBox, &QCheckBox::toggled, this, [this] { ShowSample(); });
    connect(ItalicBox, &QCheckBox::toggled, this, [this] { ShowSample(); });
    ShowSample();
}

std::optional<QFont> TFontPick::Pick(QWidget* parent, const QFont& font) {
    TFontPick window(font, parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.Chosen();
}

QFont TFontPick::Chosen() const {
    QFont font(FamilyBox->currentFont().family());
    font.setPointSize(MinSize + std::max(0, SizeList->currentRow()));
    font.setBold(BoldBox->isChecked());
    font.setItalic(ItalicBox->isChecked());
    return font;
}

void TFontPick::ShowSample() {
    SampleLabel->setFont(Chosen());
}

} // namespace qz::gui
