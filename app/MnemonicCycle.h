#pragma once

#include <QList>
#include <QObject>

class QAction;
class QKeyEvent;
class QMenuBar;

namespace torvan {

// Menus of a menu bar that share an Alt mnemonic take turns, as menu bars
// commonly let them: Alt+P opens the first of them, and Alt+P pressed
// again while that menu is open (or pressing Alt again just closed it) opens
// the next, after the last the first again. Owned by the menu bar.
class MnemonicCycle final : public QObject {
public:
    explicit MnemonicCycle(QMenuBar& bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> Sharing(const QKeyEvent& key) const;
    QAction* OpenTitle(const QList<QAction*>& titles) const;
    void OpenNext(const QList<QAction*>& titles);

    QMenuBar& bar_;
    // The menu this cycle opened last, and whether the Alt press of the key
    // being typed closed it.
    QAction* last_ = nullptr;
    bool altClosedLast_ = false;
};

}  // namespace torvan
