#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <thread>

#include "model/FormControls.h"
#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

namespace gui_test {

// The project's simulated radio on a pseudo-terminal, serving on its own
// thread for the length of a test.
class RadioOnPty {
public:
    explicit RadioOnPty(const torvan::MemoryImage& memory, torvan::sim::RadioFaults faults = {},
                        bool pace = false)
        : simulator_(memory, std::move(faults), pace) {
        std::string error;
        if (simulator_.Open(error)) {
            thread_ = std::thread([this] { simulator_.Run(); });
        } else {
            qWarning("simulator: %s", error.c_str());
        }
    }
    ~RadioOnPty() { Finish(); }

    QString Path() const { return QString::fromStdString(simulator_.DevicePath()); }
    // Stops serving; Memory() and Counters() are final afterwards.
    void Finish() {
        if (thread_.joinable()) {
            simulator_.Stop();
            thread_.join();
        }
    }
    torvan::MemoryImage Memory() const { return simulator_.Memory(); }
    torvan::sim::RadioCounters Counters() const { return simulator_.Counters(); }

private:
    torvan::sim::RadioSimulator simulator_;
    std::thread thread_;
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
        SeenBox info{box->windowTitle(), box->text(),           box->informativeText(),
                     box->icon(),        box->standardButtons(), {}};
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
