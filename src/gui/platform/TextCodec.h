#pragma once
// The one place where document texts (Windows-1252 bytes) become QStrings and back.

#include <QString>

#include <string>
#include <string_view>

namespace qz::gui {

QString FromDocument(std::string_view text);
std::string ToDocument(const QString& text);

} // namespace qz::gui
