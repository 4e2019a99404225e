#pragma once

#include <QString>

namespace plimex::linux_desktop {

// A double-quoted JavaScript string literal that evaluates to text. Everything
// outside printable ASCII is written as a \uXXXX escape, so that no line
// terminator (U+2028 and U+2029 among them) or unusual character can end the
// literal or change its meaning.
QString JsStringLiteral(const QString& text);

}  // namespace plimex::linux_desktop
