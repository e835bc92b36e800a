#include "SettingsRegistry.h"

namespace qz::gui {

bool SettingsRegistry::ReadInteger(const std::string& name, int& value) {
    const QVariant stored = Settings.value(QString::fromStdString(name));
    bool ok = false;
    const int number = stored.toInt(&ok);
    if (!stored.isValid() || !ok)
        return false;
    value = number;
    return true;
}

void SettingsRegistry::WriteInteger(const std::string& name, int value) {
    Settings.setValue(QString::fromStdString(name), value);
}

bool SettingsRegistry::ReadText(const std::string& name, std::string& value) {
    const QVariant stored = Settings.value(QString::fromStdString(name));
    if (!stored.isValid())
        return false;
    value = stored.toString().toStdString();
    return true;
}

void SettingsRegistry::WriteText(const std::string& name, const std::string& value) {
    Settings.setValue(QString::fromStdString(name), QString::fromStdString(value));
}

} // namespace qz::gui
