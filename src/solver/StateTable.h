#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Solver {

// The set of positions a search has met, each stored as its whole canonical
// key. Lookups compare the stored bytes, not only a hash, so two different
// positions never pass for one another: a search that finds no win after
// meeting every reachable position has really seen them all.
class TStateTable {
public:
    enum TAdd { Added, Present, Full };

    explicit TStateTable(std::size_t maxBytes);

    // Adds the key unless it is there already; Full when the memory cap forbids it.
    TAdd Add(const std::uint8_t* key, std::size_t length);
    bool Contains(const std::uint8_t* key, std::size_t length) const;

    std::size_t Count() const { return m_count; }
    std::size_t Bytes() const;

private:
    static constexpr std::size_t BlockBits = 20;
    static constexpr std::size_t BlockSize = std::size_t{1} << BlockBits;

    static std::uint64_t Hash(const std::uint8_t* key, std::size_t length);
    const std::uint8_t* KeyAt(std::uint64_t offset) const;
    bool Equal(std::uint64_t slot, const std::uint8_t* key, std::size_t length) const;
    std::size_t Find(std::uint64_t hash, const std::uint8_t* key, std::size_t length, bool& found) const;
    bool Grow();

    std::size_t m_maxBytes;
    std::vector<std::unique_ptr<std::uint8_t[]>> m_blocks;
    std::size_t m_used = BlockSize;      // bytes used in the last block (none yet)
    std::vector<std::uint64_t> m_slots;  // 0 empty; else tag << 48 | (offset + 1)
    std::vector<std::uint32_t> m_hashes; // the low half of each slot's hash, for growing
    std::size_t m_count = 0;
};

} // namespace Solver
