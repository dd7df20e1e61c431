#include "platform/NameKeys.h"

#include <cstring>
#include <unicode/ucol.h>

namespace quil {

QLocale nameCollationLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

NameKeys::NameKeys() : NameKeys(QLocale::system()) {}

NameKeys::NameKeys(const QLocale &locale)
{
    // The settings QCollator gives the same collator when letter case is
    // ignored, the numeric mode is on and punctuation counts; ICU takes the
    // locale with "_" between its parts.
    const QByteArray name = nameCollationLocale(locale).bcp47Name().toLatin1().replace('-', '_');
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open(name.constData(), &status);
    if (U_FAILURE(status)) {
        m_collator = nullptr;
        return;
    }
    const std::pair<UColAttribute, UColAttributeValue> settings[] = {{UCOL_NORMALIZATION_MODE, UCOL_ON},
                                                                     {UCOL_STRENGTH, UCOL_SECONDARY},
                                                                     {UCOL_NUMERIC_COLLATION, UCOL_ON},
                                                                     {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}};
    for (const auto &[attribute, value] : settings) {
        status = U_ZERO_ERROR;
        ucol_setAttribute(m_collator, attribute, value, &status);
    }
}

NameKeys::~NameKeys()
{
    if (m_collator != nullptr)
        ucol_close(m_collator);
}

size_t NameKeys::append(QStringView text, std::vector<unsigned char> &keys) const
{
    // Without a collator every key is empty, as QCollator's are then.
    if (m_collator == nullptr)
        return 0;
    const size_t start = keys.size();
    const auto source = reinterpret_cast<const UChar *>(text.utf16());
    const auto length = int32_t(text.size());
    size_t room = 16 + size_t(text.size()) * 2;
    keys.resize(start + room);
    auto written = size_t(ucol_getSortKey(m_collator, source, length, keys.data() + start, int32_t(room)));
    if (written > room) {
        room = written;
        keys.resize(start + room);
        written = size_t(ucol_getSortKey(m_collator, source, length, keys.data() + start, int32_t(room)));
    }
    // The key ends at its first zero byte (its terminator): the part that
    // QCollatorSortKey compares.
    const size_t size = ::strnlen(reinterpret_cast<const char *>(keys.data() + start), std::min(written, room));
    keys.resize(start + size);
    return size;
}

} // namespace quil
