#pragma once

#include <QString>

#include <deque>
#include <optional>

namespace quil {

// The speed of a running operation as a moving average over the last few
// seconds of samples, and the time left at that speed. Qt Core only; the
// caller gives the times, so any clock will do.
class TransferRate
{
public:
    // Adds the amount done by the time (milliseconds of any steady clock).
    void add(qint64 timeMs, qint64 done);
    // Units per second over the window; nullopt until the samples span
    // kMinimumSpanMs (the first moments of a copy say little of its speed).
    std::optional<double> perSecond() const;
    // Seconds until total at the present speed; nullopt while unknown.
    std::optional<qint64> secondsLeft(qint64 total) const;

    // "12,3 МБ/с", "512 байт/с"; "3 объект(ов)/с" when the units are items.
    static QString speedText(double perSecond, bool bytes);
    // "0:42", "1:05:00".
    static QString durationText(qint64 seconds);

    static constexpr qint64 kWindowMs = 5000;
    static constexpr qint64 kMinimumSpanMs = 1000;

private:
    struct Sample
    {
        qint64 time;
        qint64 done;
    };
    std::deque<Sample> m_samples;
};

} // namespace quil
