#pragma once

#include <QValidator>
#include <string>

namespace torvan {

// An edit box's input kept to a character set and a length, however it
// arrives (typed, pasted, dropped): other characters are dropped instead of
// refusing the whole text, letters can be upper-cased as they come, and of
// a paste that does not fit only what fits is taken.
class FilterValidator final : public QValidator {
public:
    FilterValidator(std::string allowed, int maxLength, bool upperCase, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    std::string allowed_;
    int maxLength_;
    bool upperCase_;
};

}  // namespace torvan
