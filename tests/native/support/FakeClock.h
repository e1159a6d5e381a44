// A time-stamp counter that reads from a list and a sleep that only records what it was asked for.
#pragma once

#include <cstdint>
#include <vector>

#include "CpuidSource.h"

namespace zvt::test
{

class CFakeClock final : public CClock
{
public:
    // Successive counter reads return ticks[0], ticks[1], ... and then 0.
    explicit CFakeClock(std::vector<std::uint64_t> ticks = {}) : m_ticks(std::move(ticks))
    {
    }

    std::uint64_t ReadTimeStampCounter() const noexcept override
    {
        const std::size_t read = m_reads++;
        return read < m_ticks.size() ? m_ticks[read] : 0;
    }
    void SleepMs(std::uint32_t milliseconds) const noexcept override
    {
        m_sleeps.push_back(milliseconds);
    }

    std::size_t Reads() const noexcept
    {
        return m_reads;
    }
    const std::vector<std::uint32_t>& Sleeps() const noexcept
    {
        return m_sleeps;
    }

private:
    std::vector<std::uint64_t> m_ticks;
    mutable std::size_t m_reads = 0;
    mutable std::vector<std::uint32_t> m_sleeps;
};

} // namespace zvt::test
