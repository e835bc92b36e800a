#pragma once
// The wizard's category list and tree: entries are dragged from one to the other, and each
// tells the wizard when something of the other was dropped on it.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QTreeWidget>

#include <functional>

namespace qz::gui {

template <class View> class TDropTarget : public View {
public:
    using View::View;
    QWidget* Source = nullptr;     // the view whose entries this one takes
    std::function<void()> Dropped; // called for a drop of those entries
    std::function<bool()> Accepts = [] { return true; };

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { Take(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { Take(event); }
    void dropEvent(QDropEvent* event) override {
        if (!Comes(event))
            return event->ignore();
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (Dropped)
            Dropped();
    }

private:
    bool Comes(const QDropEvent* event) const { return Source && event->source() == Source && Accepts(); }
    void Take(QDragMoveEvent* event) {
        if (Comes(event)) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        } else {
            event->ignore();
        }
    }
};

class TWizardList : public TDropTarget<QListWidget> {
public:
    using TDropTarget::TDropTarget;
};

class TWizardTree : public TDropTarget<QTreeWidget> {
public:
    using TDropTarget::TDropTarget;
};

} // namespace qz::gui
