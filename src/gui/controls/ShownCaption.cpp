#include "ShownCaption.h"

namespace qz::gui {

QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size() && caption[i] != u'\t'; ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace qz::gui
