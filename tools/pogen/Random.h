// CRandom: the generator's own pseudo-random numbers, the same on every platform and library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace NxPoGen
{

// xoshiro256** seeded through splitmix64; every draw is defined by this code alone, so a seed
// gives the same sequence whichever compiler or standard library built the program.
class CRandom
{
public:
    // Spreads the 64 bits of the seed over the four words of the state.
    explicit CRandom(std::uint64_t seed)
    {
        for (std::uint64_t & word : m_state)
        {
            seed += 0x9E3779B97F4A7C15u;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
            word = z ^ (z >> 31);
        }
    }

    // The next 64 random bits.
    std::uint64_t Next()
    {
        std::uint64_t const result = RotateLeft(m_state[1] * 5, 7) * 9;
        std::uint64_t const t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = RotateLeft(m_state[3], 45);
        return result;
    }

    // A uniform number in [0, count); count must not be 0. Rejects the biased top of the range.
    std::uint64_t Below(std::uint64_t count)
    {
        std::uint64_t const limit = UINT64_MAX - UINT64_MAX % count;
        std::uint64_t value = Next();
        while (value >= limit)
            value = Next();
        return value % count;
    }

    // A uniform number in [low, high].
    std::int64_t Between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low) + 1));
    }

    // True with the probability percent / 100.
    bool Percent(unsigned percent) { return Below(100) < percent; }

    // A uniformly chosen element of a non-empty array.
    template <class T, std::size_t N>
    T const & Pick(T const (&values)[N])
    {
        return values[Below(N)];
    }

private:
    // Rotates the bits of x left by k (0 < k < 64).
    static std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_state[4];
};

} // namespace NxPoGen
