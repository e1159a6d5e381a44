// A recorded time-stamp counter and a sleep that only records what it was asked for: the clock of every
// replay (zvtinfo, the benchmarks, the tests), never the machine's.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "CpuidSource.h"

namespace zvt
{

class CRecordedClock final : public CClock
{
public:
    // A counter that advances at frequencyMhz while asleep (kilo-ticks per millisecond), so that a
    // measurement reproduces the frequency a report recorded; 0 never advances.
    explicit CRecordedClock(std::int32_t frequencyMhz = 0) noexcept
        : m_ticksPerMs(static_cast<std::uint64_t>(frequencyMhz < 0 ? 0 : frequencyMhz) * 1000u)
    {
    }
    // Successive counter reads return ticks[0], ticks[1], ... and then 0.
    explicit CRecordedClock(std::vector<std::uint64_t> ticks) : m_ticks(std::move(ticks)), m_bListed(true)
    {
    }

    std::uint64_t ReadTimeStampCounter() const noexcept override
    {
        const std::size_t read = m_reads++;
        if (!m_bListed)
        {
            return m_now;
        }
        return read < m_ticks.size() ? m_ticks[read] : 0;
    }
    void SleepMs(std::uint32_t milliseconds) const noexcept override
    {
        m_now += m_ticksPerMs * milliseconds;
        if (m_sleepCount < m_sleeps.size())
        {
            m_sleeps[m_sleepCount++] = milliseconds;
        }
    }

    std::size_t Reads() const noexcept
    {
        return m_reads;
    }
    // The sleeps asked for, in order (the first kSleepLogCapacity).
    std::vector<std::uint32_t> Sleeps() const
    {
        return std::vector<std::uint32_t>(m_sleeps.begin(),
                                          m_sleeps.begin() + static_cast<long>(m_sleepCount));
    }

    static constexpr std::size_t kSleepLogCapacity = 16;

private:
    std::vector<std::uint64_t> m_ticks;
    bool m_bListed = false;
    std::uint64_t m_ticksPerMs = 0;
    mutable std::uint64_t m_now = 0;
    mutable std::size_t m_reads = 0;
    // A fixed log, so that sleeping never allocates.
    mutable std::array<std::uint32_t, kSleepLogCapacity> m_sleeps{};
    mutable std::size_t m_sleepCount = 0;
};

} // namespace zvt
