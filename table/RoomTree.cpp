#include "table/RoomTree.h"

#include "platform/Gbk.h"

#include <cstring>

namespace {

RoomNode MakeNode(std::string_view name, int room, int image)
{
    RoomNode node;
    std::memcpy(node.info.name, name.data(), GbkFit(name, sizeof node.info.name));
    node.info.room = room;
    node.caption = BoundedName(node.info.name, sizeof node.info.name);
    node.image = image;
    return node;
}

} // namespace

std::string UsersCaption(const RoomInfo &info)
{
    return BoundedName(info.name, sizeof info.name) + "(" + std::to_string(info.users) + "人)";
}

void RoomTree::Changed()
{
    if (view_)
        view_->TreeChanged();
}

void RoomTree::AddServer(std::string_view name)
{
    tops_.push_back(MakeNode(name, 0, IMAGE_SERVER));
    Changed();
}

bool RoomTree::AddRoom(int room, std::string_view name)
{
    RoomNode *top = TopNode();
    if (!top)
        return false;
    top->children.push_back(MakeNode(name, room, IMAGE_ROOM));
    rows_.push_back({top->children.back().caption, "0"});
    Changed();
    return true;
}

bool RoomTree::SetServerUsers(int32_t users)
{
    RoomNode *top = TopNode();
    if (!top)
        return false;
    top->info.users = users;
    top->caption = UsersCaption(top->info);
    Changed();
    return true;
}

bool RoomTree::SetRoomUsers(int position, int32_t users)
{
    RoomNode *top = TopNode();
    if (!top || position < 0 || position >= static_cast<int>(top->children.size()))
        return false;
    RoomNode &node = top->children[position];
    node.info.users = users;
    node.caption = UsersCaption(node.info);
    if (position < static_cast<int>(rows_.size()))
        rows_[position].users = std::to_string(users);
    Changed();
    return true;
}

void RoomTree::MarkEntered(int position)
{
    RoomNode *top = TopNode();
    if (!top)
        return;
    for (size_t i = 0; i < top->children.size(); i++)
        top->children[i].image = static_cast<int>(i) == position ? IMAGE_ENTERED : IMAGE_ROOM;
    Changed();
}

bool RoomTree::Expand()
{
    RoomNode *top = TopNode();
    if (!top)
        return false;
    top->expanded = true;
    Changed();
    return true;
}

void RoomTree::Clear()
{
    tops_.clear();
    rows_.clear();
    Changed();
}
