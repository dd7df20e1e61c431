#pragma once

#include <QLocale>
#include <QStringView>
#include <vector>

struct UCollator;

namespace quil {

// The locale whose collation orders names; the C locale, which knows no
// numeric order, stands for English.
QLocale nameCollationLocale(const QLocale &locale);

// Collation keys of names as plain bytes, by the rules of ItemComparator's
// names (the locale's collation, letter case ignored, digits compared as
// numbers, punctuation counted). Two keys order as byte strings do, and
// exactly as ItemComparator's keys of the same texts; a key holds no zero
// byte. Made for sorting many names: the keys go into one buffer that the
// caller keeps. Not thread-safe: one per thread.
class NameKeys
{
public:
    // The system locale's collation.
    NameKeys();
    explicit NameKeys(const QLocale &locale);
    ~NameKeys();
    NameKeys(const NameKeys &) = delete;
    NameKeys &operator=(const NameKeys &) = delete;

    // Appends the key of text to keys; returns the key's length.
    size_t append(QStringView text, std::vector<unsigned char> &keys) const;

private:
    UCollator *m_collator = nullptr;
};

} // namespace quil
