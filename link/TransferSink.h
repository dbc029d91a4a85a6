#pragma once

#include <string>

#include "model/Result.h"

namespace torvan {

// What a running clone transfer tells the dialog that started it. The calls
// come from the transfer's own thread, in this order: DisableButtons once the
// port is open, ShowProgress after every block, at most one ShowFailure, and
// Finished last.
class TransferSink {
public:
    virtual ~TransferSink() = default;

    virtual void DisableButtons() = 0;
    // `position` of `upper` (512 for Read, 448 for Write) and the label text.
    virtual void ShowProgress(int position, int upper, const std::string& percentText) = 0;
    // One of the four clone messages as the error, with the system's reason
    // when one is known; returns once the user has seen it.
    virtual void ShowFailure(const Result& failure) = 0;
    // The dialog may close; `success` is true only after a complete transfer.
    virtual void Finished(bool success) = 0;
    // Asked before every block: true ends the transfer there, as a failure
    // without a message (the one who asked has its own word for it).
    virtual bool StopRequested() const { return false; }
};

}  // namespace torvan
