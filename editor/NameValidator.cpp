#include "editor/NameValidator.h"

#include "form/ChannelCodec.h"

namespace {

// Upper-cased ASCII only: other scripts' case mappings could turn one typed
// character into several.
bool Storable(QChar c) {
    return c.unicode() < 0x80 &&
           torvan::NameCodeOf(static_cast<char>(c.toUpper().unicode())) != torvan::kUnsetByte;
}

}  // namespace

QValidator::State NameValidator::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (!Storable(c)) {
            return Invalid;
        }
    }
    input = input.toUpper();
    return Acceptable;
}
