#include "TextCodec.h"

#include "ledger/Cp1252.h"

namespace qz::gui {

QString FromDocument(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

std::string ToDocument(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

} // namespace qz::gui
