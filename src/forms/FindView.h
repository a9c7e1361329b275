#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names of the find's two controls, for the front ends and their tests.
inline constexpr std::string_view kFindFieldName = "txtfind";
inline constexpr std::string_view kFindListName = "lstfind";
// What the empty field shows.
inline constexpr std::u16string_view kFindPlaceholder = u"部材名（例 H-300x150）";

// One line of the find's result list: the designation, and under it the group (or the family of
// a computed member, marked as computed) and the remark.
struct FindRow {
    std::u16string designation;
    std::u16string detail;
};

// How the find was closed: it decides where the keyboard focus goes.
enum class FindEnd {
    Cancelled, // back to the control that had it when the find opened
    Picked,    // to the member list, which shows the member picked
};

// What the find needs of the lookup window: a one-line field and a list of results in the places
// of the group box and the member list. Each platform's lookup window implements it; tests
// implement it with a double.
class FindView {
public:
    virtual ~FindView() = default;

    // Puts the field, empty and with the keyboard focus, and the empty result list over the two
    // lists, which are not shown meanwhile.
    virtual void showFind() = 0;
    // Shows the two lists again as they are, and moves the focus as `end` says.
    virtual void hideFind(FindEnd end) = 0;
    // Selects the whole text of the field, so that typing replaces it.
    virtual void selectFindText() = 0;
    virtual void setFindResults(const std::vector<FindRow>& rows) = 0;
    // Highlights result `index` and scrolls it into sight; -1 highlights none.
    virtual void setCurrentFindResult(int index) = 0;
};
