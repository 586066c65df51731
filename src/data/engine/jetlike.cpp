#include "data/engine/jetlike.h"

#include "data/engine/jetsql.h"

#include <QChar>
#include <QList>

#include <vector>

namespace jet {

namespace {

constexpr char32_t NoEscape = 0xFFFFFFFF;

/// One element of a compiled pattern; every element except AnyRun consumes exactly one character.
struct Atom
{
    enum Kind
    {
        AnyRun,
        One,
        Digit,
        Literal,
        Set
    };
    Atom(Kind k, char32_t c = 0) : kind(k), ch(c) {}
    Kind kind;
    char32_t ch;                                       // Literal, folded
    bool negated = false;                              // Set
    std::vector<std::pair<char32_t, char32_t>> ranges; // Set, folded, single characters as (c, c)
};

char32_t fold(char32_t c)
{
    return QChar::toCaseFolded(c);
}

[[noreturn]] void invalidPattern()
{
    throw SqlError(QStringLiteral("Invalid pattern string."));
}

std::vector<Atom> compile(const QList<uint>& p, char32_t escape)
{
    std::vector<Atom> atoms;
    const int n = int(p.size());
    for (int i = 0; i < n; ++i) {
        const char32_t c = p[i];
        if (c == escape && i + 1 < n) {
            atoms.push_back(Atom(Atom::Literal, fold(p[++i])));
        } else if (c == U'*') {
            if (atoms.empty() || atoms.back().kind != Atom::AnyRun) {
                atoms.push_back(Atom(Atom::AnyRun));
            }
        } else if (c == U'?') {
            atoms.push_back(Atom(Atom::One));
        } else if (c == U'#') {
            atoms.push_back(Atom(Atom::Digit));
        } else if (c == U'[') {
            int j = i + 1;
            while (j < n && p[j] != U']') {
                ++j;
            }
            if (j >= n) {
                invalidPattern();
            }
            // [] stands for the empty string: it consumes nothing.
            if (j == i + 1) {
                i = j;
                continue;
            }
            Atom set(Atom::Set);
            int k = i + 1;
            if (p[k] == U'!' && j > k + 1) {
                set.negated = true;
                ++k;
            }
            while (k < j) {
                const char32_t from = p[k];
                // A hyphen first or last in the list is literal.
                if (k + 2 < j && p[k + 1] == U'-') {
                    const char32_t lo = fold(from);
                    const char32_t hi = fold(p[k + 2]);
                    if (hi < lo) {
                        invalidPattern();
                    }
                    set.ranges.emplace_back(lo, hi);
                    k += 3;
                } else {
                    set.ranges.emplace_back(fold(from), fold(from));
                    ++k;
                }
            }
            atoms.push_back(std::move(set));
            i = j;
        } else {
            atoms.push_back(Atom(Atom::Literal, fold(c)));
        }
    }
    return atoms;
}

bool matchesOne(const Atom& atom, char32_t original)
{
    const char32_t c = fold(original);
    switch (atom.kind) {
    case Atom::One:
        return true;
    case Atom::Digit:
        return original >= U'0' && original <= U'9';
    case Atom::Literal:
        return atom.ch == c;
    case Atom::Set: {
        bool inSet = false;
        for (const auto& [lo, hi] : atom.ranges) {
            if (c >= lo && c <= hi) {
                inSet = true;
                break;
            }
        }
        return inSet != atom.negated;
    }
    case Atom::AnyRun:
        break;
    }
    return false;
}

bool match(const QString& pattern, const QString& text, char32_t escape)
{
    const std::vector<Atom> atoms = compile(pattern.toUcs4(), escape);
    const QList<uint> t = text.toUcs4();
    const size_t n = t.size();
    size_t ti = 0;
    size_t ai = 0;
    // Classic wildcard matching with one backtrack point: the last AnyRun seen and the text
    // position it was tried at. Every other atom takes exactly one character, so this is complete.
    size_t starAtom = SIZE_MAX;
    size_t starText = 0;
    while (ti < n) {
        if (ai < atoms.size() && atoms[ai].kind == Atom::AnyRun) {
            starAtom = ai++;
            starText = ti;
        } else if (ai < atoms.size() && matchesOne(atoms[ai], t[ti])) {
            ++ai;
            ++ti;
        } else if (starAtom != SIZE_MAX) {
            ai = starAtom + 1;
            ti = ++starText;
        } else {
            return false;
        }
    }
    while (ai < atoms.size() && atoms[ai].kind == Atom::AnyRun) {
        ++ai;
    }
    return ai == atoms.size();
}

} // namespace

bool isValidLikePattern(const QString& pattern)
{
    try {
        compile(pattern.toUcs4(), NoEscape);
        return true;
    } catch (const SqlError&) {
        return false;
    }
}

bool likeMatch(const QString& pattern, const QString& text)
{
    return match(pattern, text, NoEscape);
}

bool likeMatch(const QString& pattern, const QString& text, char32_t escape)
{
    return match(pattern, text, escape);
}

} // namespace jet
