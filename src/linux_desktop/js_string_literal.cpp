#include "linux_desktop/js_string_literal.h"

namespace plimex::linux_desktop {

QString JsStringLiteral(const QString& text) {
    QString literal = QStringLiteral("\"");
    // QString holds UTF-16 code units, which are exactly what \u escapes name.
    for (const QChar unit : text) {
        const char16_t code = unit.unicode();
        if (code == u'"' || code == u'\\') {
            literal += u'\\';
            literal += unit;
        } else if (code >= 0x20 && code < 0x7f) {
            literal += unit;
        } else {
            literal += QStringLiteral("\\u%1").arg(static_cast<unsigned>(code), 4, 16, QChar(u'0'));
        }
    }
    literal += u'"';
    return literal;
}

}  // namespace plimex::linux_desktop
