#include "HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace qz::gui {

namespace {

constexpr const char* HelpContextProperty = "helpContext";

} // namespace

void SetHelpContext(QWidget* widget, int topic) {
    widget->setProperty(HelpContextProperty, topic);
}

int HelpContextOf(const QWidget* widget, int fallback) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(HelpContextProperty);
        if (topic.isValid())
            return topic.toInt();
    }
    return fallback;
}

} // namespace qz::gui
