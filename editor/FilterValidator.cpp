#include "editor/FilterValidator.h"

#include <algorithm>

#include "form/TypedFilter.h"

namespace torvan {

FilterValidator::FilterValidator(std::string allowed, int maxLength, bool upperCase,
                                 QObject* parent)
    : QValidator(parent),
      allowed_(std::move(allowed)),
      maxLength_(maxLength),
      upperCase_(upperCase) {}

QValidator::State FilterValidator::validate(QString& input, int& pos) const {
    // One byte per character, so that positions carry over; nothing outside
    // ASCII is ever allowed.
    std::string text;
    text.reserve(static_cast<std::size_t>(input.size()));
    for (const QChar c : input) {
        text.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\0');
    }
    const FilteredText kept =
        FilterTyped(text, static_cast<std::size_t>(std::max(pos, 0)), allowed_,
                    static_cast<std::size_t>(maxLength_), upperCase_);
    input = QString::fromLatin1(kept.text.data(), static_cast<qsizetype>(kept.text.size()));
    pos = static_cast<int>(kept.cursor);
    return Acceptable;
}

}  // namespace torvan
