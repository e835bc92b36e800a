#pragma once
// The mark of the tax categories: the tax's name ("GST" or "VAT") on a round tax-office stamp.

#include <QPixmap>
#include <QString>

namespace qz::gui {

QPixmap TaxStamp(const QString& taxName, int size);

} // namespace qz::gui
