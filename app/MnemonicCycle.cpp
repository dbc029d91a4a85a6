#include "app/MnemonicCycle.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace torvan {

// The key events of every widget pass here first: the key goes to whatever
// has the keyboard, an open menu included.
MnemonicCycle::MnemonicCycle(QMenuBar& bar) : QObject(&bar), bar_(bar) {
    qApp->installEventFilter(this);
}

// The toolkit's own handling of a shared mnemonic depends on its version: it
// may ignore the key or hand it to the menus in an order of its own. This
// takes the key before it gets there.
bool MnemonicCycle::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) ||
        QApplication::activeWindow() != bar_.window()) {
        return QObject::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (type == QEvent::KeyPress && key.key() == Qt::Key_Alt) {
        altClosedLast_ = last_ != nullptr && OpenTitle({last_}) != nullptr;
        return false;
    }
    const QList<QAction*> titles = Sharing(key);
    if (titles.size() < 2) {
        return false;
    }
    event->accept();
    if (type == QEvent::KeyPress) {
        OpenNext(titles);
    }
    return true;
}

QList<QAction*> MnemonicCycle::Sharing(const QKeyEvent& key) const {
    QList<QAction*> titles;
    if (key.modifiers() != Qt::AltModifier) {
        return titles;
    }
    const QKeySequence typed(key.keyCombination());
    for (QAction* title : bar_.actions()) {
        if (title->isVisible() && title->isEnabled() &&
            QKeySequence::mnemonic(title->text()) == typed) {
            titles << title;
        }
    }
    return titles;
}

QAction* MnemonicCycle::OpenTitle(const QList<QAction*>& titles) const {
    const QWidget* popup = QApplication::activePopupWidget();
    for (QAction* title : titles) {
        if (popup != nullptr && title->menu() == popup) {
            return title;
        }
    }
    return nullptr;
}

void MnemonicCycle::OpenNext(const QList<QAction*>& titles) {
    QAction* from = OpenTitle(titles);
    if (from == nullptr && altClosedLast_) {
        from = last_;
    }
    const qsizetype at = titles.indexOf(from);
    last_ = at < 0 || at + 1 == titles.size() ? titles.front() : titles.at(at + 1);
    altClosedLast_ = false;
    bar_.setActiveAction(last_);
    // As a menu opened by its own mnemonic: the first item is highlighted,
    // so Enter chooses it.
    if (QMenu* menu = last_->menu()) {
        for (QAction* item : menu->actions()) {
            if (item->isEnabled() && !item->isSeparator()) {
                menu->setActiveAction(item);
                break;
            }
        }
    }
}

}  // namespace torvan
