#pragma once

#include <QValidator>

namespace torvan {

// The name editor's input: letters are upper-cased as they are typed, and
// only characters a channel name can store (A-Z, 0-9, '-' and space) are
// taken, so a saved name reads back exactly as it was typed.
class NameValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};

}  // namespace torvan
