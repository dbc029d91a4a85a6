#pragma once

#include <QCoreApplication>
#include <QString>

#include "app/Prompts.h"

class QWidget;

namespace torvan {

class CProgramDoc;
class CProgramView;
class RecentFileList;

// File New, Open, Save and Save As. A file that cannot be read or written is
// reported and changes neither the document nor the form. New and Open ask
// before they throw away unsaved changes; opening a path (the command line)
// does not.
class FileCommands {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    FileCommands(CProgramDoc& doc, CProgramView& view, RecentFileList& recent, Prompts prompts,
                 QWidget* parent);

    void New();
    void Open();
    bool OpenPath(const QString& path);
    bool Save();
    bool SaveAs();

private:
    // True when nothing unsaved is left to lose: unchanged, saved now or
    // discarded by the user.
    bool MayReplaceDocument();
    void StartHistory();
    bool SaveTo(const QString& path);
    QString SuggestedName() const;

    CProgramDoc& doc_;
    CProgramView& view_;
    RecentFileList& recent_;
    Prompts prompts_;
    QWidget* parent_;
};

}  // namespace torvan
