// CFloorTree and CZoneTree: a project's rooms arranged into floors or zones
// in a drag-and-drop tree. The product's AutoLISP owns the hierarchy: every
// button hands the tree back to it, and its commands answer a new tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ads/ads.h"
#include "project/DragDropTreeCtrl.h"
#include "ui/AcUiDialog.h"

class LispCallResult;

namespace hvac {

enum : int {
    kRoomTreeCreateRoomResult = 100,
    IDC_ROOMTREE_EDIT = 3,
    IDC_ROOMTREE_EDIT_FLOORS = 4,
    IDC_ROOMTREE_BUTTON5 = 5,  // floors: Edit Rooms; zones: View Load
    IDC_ROOMTREE_EDIT_ZONES = 6,
    IDC_ROOMTREE_EDIT_ROOMS = 7,
    IDC_ROOMTREE_CREATE_ROOM = 8,
    IDC_ROOMTREE_RENAME = 10,
    IDB_ROOMTREE = 109,
};

// What differs between the floor tree and the zone tree.
struct RoomTreeKind {
    const char* title;
    int treeId;
    const char* dialogName;
    const char* prefix;       // of the AutoLISP functions: PREFIX-edit, PREFIX-saveTree, ...
    bool floorRules;          // the first root and items with positive data stay put
};
extern const RoomTreeKind kFloorTreeKind;
extern const RoomTreeKind kZoneTreeKind;

class CRoomTree : public CAcUiDialog, private CDragEventListener {
public:
    // list: the tree list to show (not owned; may be null).
    CRoomTree(const RoomTreeKind& kind, const resbuf* list);
    ~CRoomTree() override;

    // Shows this answer's tree list from the next DoModal on (owned).
    void adoptTreeList(std::unique_ptr<LispCallResult> answer);
    CDragDropTreeCtrl& tree() { return mTree; }
    const RoomTreeKind& kind() const { return mKind; }

    // Replaces the items with those of a tree list and selects the first
    // visible item whose data is select.
    void rebuild(const resbuf* list, int32_t select);
    // Whether the selected items may be dropped onto target.
    bool dropAllowed(HTREEITEM target) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string function(const char* suffix) const;
    void save();
    void editCommand(const char* suffix);
    void createRoom();
    void editRooms();
    void viewLoad();
    int32_t selectedData() const;
    void selectData(int32_t select);

    void OnDragMoved(TreePoint point) override;
    void OnDropped(TreePoint point, HTREEITEM target) override;
    void OnDragBegun() override {}

    const RoomTreeKind& mKind;
    const resbuf* mList;
    std::unique_ptr<LispCallResult> mOwned;
    CDragDropTreeCtrl mTree;
};

} // namespace hvac
