#pragma once
// The framework's growable array, with the one growth policy used throughout:
// - to hold n elements when n exceeds the capacity, the array grows to 2n slots, or to
//   n + growth limit slots once n reaches the growth limit (10000), and by at least the
//   minimum growth;
// - when the count drops below a third of the capacity, the storage shrinks to exactly the
//   new count; otherwise only the count changes and the dropped slots are reset to T{}.
// An index outside the array raises "OvIndexError".
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>

// Raises "OvIndexError"; lives in OvArray.cpp so that the error names that file.
[[noreturn]] void OvRaiseArrayIndexError();

// Specialised next to an array type that crosses the host boundary, to pin its field
// offsets with static_asserts (the fields are private).
template <typename T>
struct OvArrayLayout;

template <typename T>
class OvArray {
public:
    static constexpr int32_t kDefaultGrowthLimit = 10000;

    OvArray() = default;
    OvArray(const OvArray&) = delete;
    OvArray& operator=(const OvArray&) = delete;
    ~OvArray() = default;

    int32_t Count() const { return fCount; }
    int32_t Capacity() const { return fCapacity; }
    bool IsEmpty() const { return fCount == 0; }

    T& operator[](int32_t index) { return fItems[CheckedIndex(index)]; }
    const T& operator[](int32_t index) const { return fItems[CheckedIndex(index)]; }
    T& Last() { return (*this)[fCount - 1]; }

    T* begin() { return fItems.get(); }
    T* end() { return fItems.get() + fCount; }
    const T* begin() const { return fItems.get(); }
    const T* end() const { return fItems.get() + fCount; }

    // Changes the count, growing or shrinking the storage by the policy above.
    void SetCount(int32_t count)
    {
        if (count < 0) OvRaiseArrayIndexError();
        if (count > fCapacity) {
            Reallocate(GrownCapacity(count));
        } else if (count < fCount) {
            if (static_cast<int64_t>(count) * 3 < fCapacity) {
                Reallocate(count);
            } else {
                for (int32_t i = count; i < fCount; ++i) fItems[i] = T{};
            }
        }
        fCount = count;
    }

    // Appends a value (taken by value, so an element of this array may be passed).
    T& Append(T value)
    {
        SetCount(fCount + 1);
        T& slot = fItems[fCount - 1];
        slot = std::move(value);
        return slot;
    }

    void Remove(int32_t index)
    {
        CheckedIndex(index);
        for (int32_t i = index + 1; i < fCount; ++i) fItems[i - 1] = std::move(fItems[i]);
        SetCount(fCount - 1);
    }

    void RemoveAll() { SetCount(0); }

private:
    friend struct OvArrayLayout<T>;

    int32_t CheckedIndex(int32_t index) const
    {
        if (index < 0 || index >= fCount) OvRaiseArrayIndexError();
        return index;
    }

    int32_t GrownCapacity(int32_t needed) const
    {
        const int64_t grown = needed < fGrowthLimit ? 2 * static_cast<int64_t>(needed)
                                                    : static_cast<int64_t>(needed) + fGrowthLimit;
        const int64_t capacity = std::max(grown, static_cast<int64_t>(needed) + fMinimumGrowth);
        if (capacity > std::numeric_limits<int32_t>::max()) OvRaiseArrayIndexError();
        return static_cast<int32_t>(capacity);
    }

    void Reallocate(int32_t capacity)
    {
        std::unique_ptr<T[]> items;
        if (capacity > 0) {
            items = std::make_unique<T[]>(static_cast<size_t>(capacity));
            const int32_t kept = std::min(fCount, capacity);
            for (int32_t i = 0; i < kept; ++i) items[i] = std::move(fItems[i]);
        }
        fItems = std::move(items);
        fCapacity = capacity;
    }

    int32_t fCount = 0;
    int32_t fCapacity = 0;
    int32_t fMinimumGrowth = 0;
    int32_t fGrowthLimit = kDefaultGrowthLimit;
    std::unique_ptr<T[]> fItems;
};
