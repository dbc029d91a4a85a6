#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form/FormControls.h"
#include "tests/RadioOnPty.h"

namespace gui_test {

// The shared simulated radio, with its device path as Qt text.
class RadioOnPty : public torvan::testing_support::RadioOnPty {
public:
    using Base = torvan::testing_support::RadioOnPty;
    using Base::Base;
    QString Path() const { return QString::fromStdString(Base::Path()); }
};

// Everything a form shows: the settings lists, the password and all channel
// rows, one text each.
inline QStringList FormTexts(torvan::FormControls& form) {
    QStringList texts;
    for (int s = 0; s < torvan::kSettingCount; ++s) {
        torvan::ChoiceList& list = form.List(static_cast<torvan::Setting>(s));
        texts << QString::fromStdString(list.EntryText(list.Selected()));
    }
    texts << QString::fromStdString(form.PasswordText());
    for (int row = 1; row <= 128; ++row) {
        for (int col = 1; col <= 10; ++col) {
            texts << QString::fromStdString(form.Grid().TextMatrix(row, col));
        }
    }
    return texts;
}

// A message box as the user saw it, with what lay behind it.
struct SeenBox {
    QString title;
    QString text;
    QString informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString behind;  // the percent label of the progress dialog, if any
};

// Reads every message box that comes up, then presses its OK button.
class BoxWatcher : public QObject {
public:
    BoxWatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }
    QList<SeenBox> seen;

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        SeenBox info{box->windowTitle(),     box->text(), box->informativeText(), box->icon(),
                     box->standardButtons(), {}};
        if (QWidget* owner = box->parentWidget()) {
            if (auto* label = owner->findChild<QLabel*>(QStringLiteral("percentLabel"))) {
                info.behind = owner->isVisible() ? label->text() : QStringLiteral("(hidden)");
            }
        }
        seen << info;
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->reject();
        }
    }

    QTimer timer_;
};

}  // namespace gui_test
