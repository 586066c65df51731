#pragma once

#include <QString>

namespace jet {

/// Jet's LIKE: `*` any run of characters, `?` one character, `#` one digit, `[list]` one character
/// of a list with ranges (`[a-z]`, `[!a-z]` for the complement), `[]` an empty string; `%` and `_` are
/// ordinary characters. The whole text must match; letter case is ignored. Characters are code
/// points, so a surname outside the Basic Multilingual Plane is one character.
/// Throws SqlError ("Invalid pattern string.") for an unclosed `[` or a descending range.
bool likeMatch(const QString& pattern, const QString& text);

/// Whether a pattern is one Jet's LIKE accepts: every `[` closed, every range ascending.
bool isValidLikePattern(const QString& pattern);

/// As likeMatch; a character preceded by `escape` stands for itself (SQLite's LIKE ... ESCAPE form).
bool likeMatch(const QString& pattern, const QString& text, char32_t escape);

} // namespace jet
