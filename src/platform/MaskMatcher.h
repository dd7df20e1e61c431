#pragma once

#include "platform/OsError.h"

#include <QList>
#include <QString>
#include <vector>

namespace quil {

// The selection mask: the whole name must match the whole mask. "*" matches
// any run, "?" one character, "[...]" a set of characters and ranges ("!"
// right after "[" negates it); only Latin letters match regardless of case;
// "." is an ordinary character; at most 30 groups of "*".
class MaskMatcher
{
public:
    // Parses the mask; an invalid one raises InvalidMaskError.
    explicit MaskMatcher(const QString &mask);

    // O(name x mask) at worst.
    bool matches(const QString &name) const;

private:
    struct Range
    {
        char32_t first;
        char32_t last;
    };
    struct Step
    {
        enum Kind { Literal, AnyOne, AnyRun, Set } kind;
        char32_t literal = 0;
        bool negated = false;
        std::vector<Range> ranges;
    };

    bool stepMatches(const Step &step, char32_t c) const;

    std::vector<Step> m_steps;
};

// "'%s' is an invalid mask at (%d)", with the 1-based position of the fault.
class InvalidMaskError : public QuilError
{
public:
    InvalidMaskError(const QString &mask, int position);
};

} // namespace quil
