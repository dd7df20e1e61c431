#pragma once

#include <QByteArrayView>
#include <cstdint>

namespace quil {

// Little-endian reads from a byte block that never run past its end: a read
// beyond the end yields 0 and sets failed(), so parsers check once at the end
// of a structure instead of before every field.
class ByteReader
{
public:
    explicit ByteReader(QByteArrayView data, qsizetype position = 0) : m_data(data), m_pos(position) {}

    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_pos < m_data.size() ? m_data.size() - m_pos : 0; }
    bool failed() const { return m_failed; }
    void seek(qsizetype position) { m_pos = position; }
    void skip(qsizetype count) { m_pos += count; }

    uint8_t u8()
    {
        if (m_pos < 0 || m_pos >= m_data.size()) {
            m_failed = true;
            return 0;
        }
        return uint8_t(m_data[m_pos++]);
    }
    uint16_t u16()
    {
        const uint16_t low = u8();
        return uint16_t(low | (uint16_t(u8()) << 8));
    }
    uint32_t u32()
    {
        const uint32_t low = u16();
        return low | (uint32_t(u16()) << 16);
    }
    int16_t i16() { return int16_t(u16()); }
    int32_t i32() { return int32_t(u32()); }

    // The next count bytes, or an empty view (and failed()) when fewer remain.
    QByteArrayView bytes(qsizetype count)
    {
        if (count < 0 || count > remaining()) {
            m_failed = true;
            return {};
        }
        const QByteArrayView view = m_data.sliced(m_pos, count);
        m_pos += count;
        return view;
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos;
    bool m_failed = false;
};

} // namespace quil
