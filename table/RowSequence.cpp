#include "table/RowSequence.h"

#include <bit>
#include <cstddef>

namespace {

// Free slots at each end beyond the rows' own count, so that a short list is not laid out again at
// every change.
constexpr int kSpare = 16;

} // namespace

const UserRow *RowSequence::At(int index) const
{
    // The first slot whose count of rows up to it reaches index + 1, found by halving steps down the
    // tree.
    const int size = static_cast<int>(slots_.size());
    int slot = 0, left = index + 1;
    for (int step = size > 0 ? static_cast<int>(std::bit_floor(static_cast<unsigned>(size))) : 0; step > 0; step >>= 1)
        if (slot + step <= size && tree_[slot + step] < left) {
            slot += step;
            left -= tree_[slot];
        }
    return slots_[slot];
}

int RowSequence::IndexOf(const UserRow *row) const
{
    const auto it = slotOf_.find(row);
    return it == slotOf_.end() ? -1 : Before(it->second);
}

void RowSequence::Append(const UserRow *row)
{
    if (end_ == static_cast<int>(slots_.size()))
        Layout(Rows());
    slots_[end_] = row;
    slotOf_[row] = end_;
    Mark(end_++, 1);
}

void RowSequence::Prepend(const UserRow *row)
{
    if (first_ == 0)
        Layout(Rows());
    slots_[--first_] = row;
    slotOf_[row] = first_;
    Mark(first_, 1);
}

void RowSequence::Remove(const UserRow *row)
{
    const auto it = slotOf_.find(row);
    if (it == slotOf_.end())
        return;
    slots_[it->second] = nullptr;
    Mark(it->second, -1);
    slotOf_.erase(it);
}

void RowSequence::Assign(const std::vector<const UserRow *> &rows)
{
    Layout(rows);
}

void RowSequence::Layout(const std::vector<const UserRow *> &rows)
{
    count_ = static_cast<int>(rows.size());
    const int spare = count_ + kSpare;
    slots_.assign(count_ + 2 * spare, nullptr);
    tree_.assign(slots_.size() + 1, 0);
    slotOf_.clear();
    first_ = spare;
    end_ = spare;
    for (const UserRow *row : rows) {
        slots_[end_] = row;
        slotOf_[row] = end_;
        tree_[++end_] = 1;
    }
    // Each node passes its sum up to its parent once: the whole tree in one sweep.
    for (std::size_t i = 1; i < tree_.size(); i++)
        if (const std::size_t parent = i + (i & -i); parent < tree_.size())
            tree_[parent] += tree_[i];
}

std::vector<const UserRow *> RowSequence::Rows() const
{
    std::vector<const UserRow *> rows;
    rows.reserve(count_);
    for (int slot = first_; slot < end_; slot++)
        if (slots_[slot])
            rows.push_back(slots_[slot]);
    return rows;
}

int RowSequence::Before(int slot) const
{
    int sum = 0;
    for (int i = slot; i > 0; i -= i & -i)
        sum += tree_[i];
    return sum;
}

void RowSequence::Mark(int slot, int delta)
{
    count_ += delta;
    for (std::size_t i = slot + 1; i < tree_.size(); i += i & -i)
        tree_[i] += delta;
}
