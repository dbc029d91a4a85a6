#pragma once

#include <QString>
#include <memory>
#include <string>

#include "config/ProductName.h"

class QMessageBox;
class QWidget;

namespace torvan {

// The title of every radio message box: the application's title.
inline const QString kLinkBoxTitle = QString::fromUtf8(kProductName);

// A radio failure as a warning box with only OK: `message` is one of the
// program's fixed messages; the system's `reason`, when there is one, what
// the user can do about it and the `aftermath` in the radio, when there is
// one, go into the informative text.
std::unique_ptr<QMessageBox> MakeLinkFailureBox(QWidget* parent, const QString& message,
                                                const std::string& reason,
                                                const std::string& aftermath = {});

// Shows that box and returns once the user has dismissed it.
void ShowLinkFailure(QWidget* parent, const QString& message, const std::string& reason,
                     const std::string& aftermath = {});

}  // namespace torvan
