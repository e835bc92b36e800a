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

int HelpContextOf(const QWidget* widget, int fallback, const std::function<bool(int)>& hasPage) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(HelpContextProperty);
        if (topic.isValid() && (!hasPage || hasPage(topic.toInt())))
            return topic.toInt();
    }
    return fallback;
}

} // namespace qz::gui
