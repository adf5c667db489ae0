#pragma once
#include "windows/CBitButton.h"

#include <memory>

// The buttons of one screen (or of the table), identified by the order in which they were added.
class CBitButtonArray {
public:
    static constexpr int kMaxButtons = 50;

    // With kMaxButtons held it does nothing.
    void Add(std::string_view path, std::string_view caption);
    // An index outside the array moves nothing.
    void SetPos(int index, int x, int y);
    // Null outside 0..Count()-1.
    CBitButton *Get(int index) const;
    int Count() const { return count_; }

    void DrawAll();
    // Every button drawn plain until the pointer moves over one again.
    void ClearHover();
    // The first button (in index order) whose MouseDown / MouseMove is true, or -1.
    int MouseDown(int x, int y);
    int MouseMove(int x, int y);
    // Every button sees the release, so every press ends; the last button clicked, or -1.
    int MouseUp(int x, int y);

private:
    int count_ = 0;
    std::unique_ptr<CBitButton> buttons_[kMaxButtons];
};
