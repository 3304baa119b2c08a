#include "solver/StateTable.h"

#include <cstring>

namespace Solver {
namespace {

constexpr std::uint64_t OffsetMask = (std::uint64_t{1} << 48) - 1;

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

} // namespace

TStateTable::TStateTable(std::size_t maxBytes)
    : m_maxBytes(maxBytes), m_slots(1u << 16, 0), m_hashes(1u << 16, 0) {
}

std::uint64_t TStateTable::Hash(const std::uint8_t* key, std::size_t length) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ length;
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key + i, 8);
        h = Mix(h ^ word) + 0x632BE59BD9B4E019ULL;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, key + i, length - i);
    return Mix(h ^ tail ^ (std::uint64_t{length} << 56));
}

const std::uint8_t* TStateTable::KeyAt(std::uint64_t offset) const {
    return m_blocks[offset >> BlockBits].get() + (offset & (BlockSize - 1));
}

bool TStateTable::Equal(std::uint64_t slot, const std::uint8_t* key, std::size_t length) const {
    const std::uint8_t* stored = KeyAt((slot & OffsetMask) - 1);
    const std::size_t storedLength = stored[0] | (std::size_t{stored[1]} << 8);
    return storedLength == length && std::memcmp(stored + 2, key, length) == 0;
}

std::size_t TStateTable::Find(std::uint64_t hash, const std::uint8_t* key, std::size_t length,
                              bool& found) const {
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t tag = hash >> 48;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint64_t slot = m_slots[i];
        if (slot == 0) {
            found = false;
            return i;
        }
        if ((slot >> 48) == tag && Equal(slot, key, length)) {
            found = true;
            return i;
        }
    }
}

bool TStateTable::Contains(const std::uint8_t* key, std::size_t length) const {
    bool found = false;
    Find(Hash(key, length), key, length, found);
    return found;
}

std::size_t TStateTable::Bytes() const {
    return m_blocks.size() * BlockSize + m_slots.size() * (sizeof(std::uint64_t) + sizeof(std::uint32_t));
}

bool TStateTable::Grow() {
    const std::size_t size = m_slots.size() * 2;
    if (m_blocks.size() * BlockSize + size * (sizeof(std::uint64_t) + sizeof(std::uint32_t)) > m_maxBytes)
        return false;
    std::vector<std::uint64_t> slots(size, 0);
    std::vector<std::uint32_t> hashes(size, 0);
    for (std::size_t k = 0; k < m_slots.size(); ++k) {
        if (m_slots[k] == 0)
            continue;
        std::size_t i = m_hashes[k] & (size - 1);
        while (slots[i] != 0)
            i = (i + 1) & (size - 1);
        slots[i] = m_slots[k];
        hashes[i] = m_hashes[k];
    }
    m_slots.swap(slots);
    m_hashes.swap(hashes);
    return true;
}

TStateTable::TAdd TStateTable::Add(const std::uint8_t* key, std::size_t length) {
    if (length > 0xFFFF)
        return Full;
    const std::uint64_t hash = Hash(key, length);
    bool found = false;
    std::size_t index = Find(hash, key, length, found);
    if (found)
        return Present;
    if ((m_count + 1) * 2 > m_slots.size()) {
        if (!Grow())
            return Full;
        index = Find(hash, key, length, found);
    }
    const std::size_t need = length + 2;
    if (m_used + need > BlockSize) {
        if (need > BlockSize || Bytes() + BlockSize > m_maxBytes)
            return Full;
        m_blocks.push_back(std::make_unique<std::uint8_t[]>(BlockSize));
        m_used = 0;
    }
    const std::uint64_t offset = (m_blocks.size() - 1) * BlockSize + m_used;
    std::uint8_t* stored = m_blocks.back().get() + m_used;
    stored[0] = static_cast<std::uint8_t>(length & 0xFF);
    stored[1] = static_cast<std::uint8_t>(length >> 8);
    std::memcpy(stored + 2, key, length);
    m_used += need;
    m_slots[index] = ((hash >> 48) << 48) | (offset + 1);
    m_hashes[index] = static_cast<std::uint32_t>(hash);
    ++m_count;
    return Added;
}

} // namespace Solver
