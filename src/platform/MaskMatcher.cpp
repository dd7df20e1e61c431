#include "platform/MaskMatcher.h"

namespace quil {

namespace {

constexpr int kMaxStarGroups = 30;

char32_t latinUpper(char32_t c)
{
    return (c >= U'a' && c <= U'z') ? c - 0x20 : c;
}

std::u32string codePoints(const QString &text)
{
    std::u32string out;
    out.reserve(text.size());
    for (char32_t c : QStringView(text).toUcs4())
        out.push_back(c);
    return out;
}

} // namespace

InvalidMaskError::InvalidMaskError(const QString &mask, int position)
    : QuilError(QStringLiteral("'%1' is an invalid mask at (%2)").arg(mask).arg(position))
{}

MaskMatcher::MaskMatcher(const QString &mask)
{
    const std::u32string text = codePoints(mask);
    int starGroups = 0;
    size_t i = 0;
    const auto fail = [&](size_t at) { throw InvalidMaskError(mask, int(at) + 1); };
    while (i < text.size()) {
        const char32_t c = text[i];
        if (c == U'*') {
            if (++starGroups > kMaxStarGroups)
                fail(i);
            // A run of stars is one "*"; a "?" right after a star adds
            // nothing, each further "?" still takes one character.
            while (i < text.size() && text[i] == U'*') {
                ++i;
                if (i < text.size() && text[i] == U'?')
                    ++i;
            }
            m_steps.push_back({Step::AnyRun, 0, false, {}});
            continue;
        }
        if (c == U'?') {
            m_steps.push_back({Step::AnyOne, 0, false, {}});
            ++i;
            continue;
        }
        if (c != U'[') {
            m_steps.push_back({Step::Literal, latinUpper(c), false, {}});
            ++i;
            continue;
        }
        Step set{Step::Set, 0, false, {}};
        ++i;
        if (i < text.size() && text[i] == U'!') {
            set.negated = true;
            ++i;
        }
        if (i >= text.size())
            fail(i);
        if (text[i] == U']')
            fail(i); // an empty set
        while (i < text.size() && text[i] != U']') {
            if (text[i] == U'-')
                fail(i); // a range without a first character
            const char32_t first = latinUpper(text[i]);
            ++i;
            if (i < text.size() && text[i] == U'-') {
                ++i;
                if (i >= text.size())
                    fail(i);
                if (text[i] == U']') {
                    // "a-]": the dash is a character of the set
                    set.ranges.push_back({first, first});
                    set.ranges.push_back({U'-', U'-'});
                    break;
                }
                set.ranges.push_back({first, latinUpper(text[i])});
                ++i;
            } else {
                set.ranges.push_back({first, first});
            }
        }
        if (i >= text.size())
            fail(i); // no closing "]"
        ++i;
        m_steps.push_back(std::move(set));
    }
}

bool MaskMatcher::stepMatches(const Step &step, char32_t c) const
{
    switch (step.kind) {
    case Step::Literal:
        return latinUpper(c) == step.literal;
    case Step::AnyOne:
        return true;
    case Step::Set: {
        const char32_t upper = latinUpper(c);
        bool inSet = false;
        for (const Range &range : step.ranges)
            if (upper >= range.first && upper <= range.last) {
                inSet = true;
                break;
            }
        return inSet != step.negated;
    }
    case Step::AnyRun:
        break;
    }
    return false;
}

bool MaskMatcher::matches(const QString &name) const
{
    // Greedy matching with one backtrack point per star: linear for the
    // common masks, never exponential.
    const QList<uint> chars = QStringView(name).toUcs4();
    size_t step = 0;
    qsizetype at = 0;
    size_t starStep = SIZE_MAX;
    qsizetype starAt = 0;
    const qsizetype size = chars.size();
    while (at < size) {
        if (step < m_steps.size() && m_steps[step].kind == Step::AnyRun) {
            starStep = step++;
            starAt = at;
            continue;
        }
        if (step < m_steps.size() && stepMatches(m_steps[step], chars[at])) {
            ++step;
            ++at;
            continue;
        }
        if (starStep == SIZE_MAX)
            return false;
        step = starStep + 1;
        at = ++starAt;
    }
    while (step < m_steps.size() && m_steps[step].kind == Step::AnyRun)
        ++step;
    return step == m_steps.size();
}

} // namespace quil
