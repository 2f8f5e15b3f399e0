// The help documents shipped with the program. The rates help is an HTML page
// whose progressive rate tables are written, when it is opened, from the
// tables the program computes with, so the help cannot drift from the figures.
#pragma once

#include <QString>
#include <optional>

#include "law/Edition.h"

namespace tavenko::platform {

// The HTML of the help document that goes by `helpFile` ("tavenko.hlp" is
// the rates help), its tables written from the law of `law`; nothing when the
// program ships no such document.
std::optional<QString> HelpDocumentHtml(const QString& helpFile, const law::Edition& law = law::kHeisei29);

}  // namespace tavenko::platform
