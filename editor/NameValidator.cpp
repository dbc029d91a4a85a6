#include "editor/NameValidator.h"

#include "form/ChannelCodec.h"

namespace torvan {

namespace {

// Upper-cased ASCII only: other scripts' case mappings could turn one typed
// character into several.
bool Storable(QChar c) {
    return c.unicode() < 0x80 && NameCodeOf(static_cast<char>(c.toUpper().unicode())) != kUnsetByte;
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

}  // namespace torvan
