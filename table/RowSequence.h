#pragma once
#include <unordered_map>
#include <vector>

struct UserRow;

// Rows of a list in their order, where the row at an index and the index of a row are each found in
// logarithmic time, and a row is appended, put first or taken away without moving the others. A
// room of tens of thousands of users changes a row at a time, and each change is told by its index.
// The rows stand in slots in their order, with free slots at both ends; a row that goes leaves its
// slot empty until the slots are laid out again, and a tree of counts over the slots numbers them.
class RowSequence {
public:
    int Count() const { return count_; }
    // The row at the index, which must be below Count().
    const UserRow *At(int index) const;
    // -1 when the row is not in the sequence.
    int IndexOf(const UserRow *row) const;
    void Append(const UserRow *row);
    void Prepend(const UserRow *row);
    void Remove(const UserRow *row);
    // The sequence becomes these rows in this order.
    void Assign(const std::vector<const UserRow *> &rows);
    void Clear() { Assign({}); }

private:
    // Every row in order, with as many free slots as rows (and a few more) at each end.
    void Layout(const std::vector<const UserRow *> &rows);
    std::vector<const UserRow *> Rows() const;
    // Rows in the slots before the slot.
    int Before(int slot) const;
    void Mark(int slot, int delta);

    std::vector<const UserRow *> slots_;
    std::vector<int> tree_; // rows in slots, summed over ranges as a binary indexed tree (from 1)
    std::unordered_map<const UserRow *, int> slotOf_;
    int first_ = 0; // slots before it are free for rows put first
    int end_ = 0;   // the slot for the next row appended
    int count_ = 0;
};
