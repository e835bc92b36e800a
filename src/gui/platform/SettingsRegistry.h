#pragma once
// The per-user values in QSettings (organisation "Quillmar", application "Quillmar Zudeduze").

#include "platform/Registry.h"

#include <QSettings>

namespace qz::gui {

class SettingsRegistry : public Registry {
public:
    SettingsRegistry() : Settings(QStringLiteral("Quillmar"), QStringLiteral("Quillmar Zudeduze")) {}

    bool ReadInteger(const std::string& name, int& value) override;
    void WriteInteger(const std::string& name, int value) override;
    bool ReadText(const std::string& name, std::string& value) override;
    void WriteText(const std::string& name, const std::string& value) override;

private:
    QSettings Settings;
};

} // namespace qz::gui
