#pragma once

#include <QString>

#include <optional>

/// The addresses the mail and web dialogs hand to the desktop.
namespace shelladdress {

/// "mailto:" and the trimmed text; nothing for an empty box.
std::optional<QString> mailAddress(const QString& typed);

/// The web address for the typed text: nothing for an empty box or exactly "http://"; a leading
/// "!" is dropped and the rest used as typed; otherwise "http://" is put in front when the text
/// holds it nowhere. Blanks are trimmed last, so blanks typed before an address stay inside.
std::optional<QString> webAddress(const QString& typed);

} // namespace shelladdress
