// The floor and zone tree dialogs: buttons, rebuild and drop rules.
#include "project/RoomTreeDialog.h"

#include <algorithm>

#include "integration/LispCallbacks.h"
#include "project/TreeList.h"
#include "ui/MessageBox.h"

namespace hvac {

const RoomTreeKind kFloorTreeKind{"Floor Tree", 1003, "zk_elec:FloorTree", "zk_hvac-floorTree", true};
const RoomTreeKind kZoneTreeKind{"Zone Tree", 1001, "zk_hvac:ZoneTree", "zk_hvac-zoneTree", false};

namespace {

bool isInteger(const resbuf* node) { return node && (node->restype == RTSHORT || node->restype == RTLONG); }

// One past the list or pair starting at node (an RTLB).
const resbuf* afterList(const resbuf* node) {
    int depth = 0;
    for (; node; node = node->rbnext) {
        if (node->restype == RTLB) ++depth;
        else if ((node->restype == RTLE || node->restype == RTDOTE) && --depth == 0) return node->rbnext;
    }
    return nullptr;
}

} // namespace

CRoomTree::CRoomTree(const RoomTreeKind& kind, const resbuf* list)
    : CAcUiDialog(kind.title), mKind(kind), mList(list) {
    bool zones = !kind.floorRules;
    addRowControl(kind.treeId, &mTree);
    addButton(IDC_ROOMTREE_EDIT, "&Edit. . .", [this] { editCommand("-edit"); });
    addButton(IDC_ROOMTREE_RENAME, "Re&name. . .", [this] { editCommand("-rename"); });
    if (zones) {
        addButton(IDC_ROOMTREE_EDIT_ZONES, "Edit &Zones. . .", [this] { editCommand("-editZones"); });
        addButton(IDC_ROOMTREE_BUTTON5, "&View Load. . .", [this] { viewLoad(); });
        addButton(IDC_ROOMTREE_EDIT_ROOMS, "Edit &Rooms. . .", [this] { editRooms(); });
    } else {
        addButton(IDC_ROOMTREE_EDIT_FLOORS, "Edit &Floors. . .", [this] { editCommand("-editFloors"); });
        addButton(IDC_ROOMTREE_BUTTON5, "Edit &Rooms. . .", [this] { editRooms(); });
    }
    addButton(IDC_ROOMTREE_CREATE_ROOM, "&Create Room. . .", [this] { createRoom(); });
    addButton(IDOK, "&OK");
    addButton(IDCANCEL, "&Cancel");
    SetDialogName(kind.dialogName);
    SetIcon(IDB_ROOMTREE);

    StretchControlXY(kind.treeId, 100, 100);
    MoveControlXY(IDOK, 50, 100);
    MoveControlXY(IDCANCEL, 50, 100);
    MoveControlX(IDC_ROOMTREE_EDIT, 100);
    if (zones) {
        MoveControlX(IDC_ROOMTREE_BUTTON5, 100);
        for (int id : {IDC_ROOMTREE_EDIT_ZONES, IDC_ROOMTREE_EDIT_ROOMS, IDC_ROOMTREE_CREATE_ROOM})
            MoveControlXY(id, 100, 50);
    } else {
        for (int id : {IDC_ROOMTREE_EDIT_FLOORS, IDC_ROOMTREE_BUTTON5, IDC_ROOMTREE_CREATE_ROOM})
            MoveControlXY(id, 100, 50);
    }
    mTree.addListener(this);
}

CRoomTree::~CRoomTree() = default;

void CRoomTree::adoptTreeList(std::unique_ptr<LispCallResult> answer) {
    mOwned = std::move(answer);
    mList = mOwned ? mOwned->list() : nullptr;
}

bool CRoomTree::OnInitDialog() {
    rebuild(mList, 0);
    return true;
}

void CRoomTree::OnOK() {
    save();
    EndDialog(IDOK);
}

std::string CRoomTree::function(const char* suffix) const { return std::string(mKind.prefix) + suffix; }

void CRoomTree::rebuild(const resbuf* list, int32_t select) {
    mTree.DeleteAllItems();
    readTreeList(list, mTree);
    selectData(select);
}

void CRoomTree::selectData(int32_t select) {
    mTree.clearSelection();
    for (HTREEITEM item : mTree.visibleItems()) {
        if (item->data != select) continue;
        mTree.SelectItem(item);
        mTree.addToSelection(item);
        mTree.EnsureVisible(item);
        break;
    }
}

void CRoomTree::save() {
    invokeLispIgnoringResult(function("-saveTree").c_str(), writeTreeList(mTree));
}

int32_t CRoomTree::selectedData() const {
    HTREEITEM item = mTree.GetSelectedItem();
    return item ? item->data : 0;
}

void CRoomTree::editCommand(const char* suffix) {
    save();
    LispCallResult answer;
    if (!invokeLisp(function(suffix).c_str(), acutBuildList(RTLONG, selectedData(), 0), answer)) return;
    // The answer: an optional leading integer (the item to select), then
    // the tree list, either as the answer's remaining elements or as one
    // nested list.
    int32_t select = 0;
    const resbuf* node = answer.list();
    if (!node || node->restype != RTLB) {
        rebuild(nullptr, 0);
        return;
    }
    node = node->rbnext;
    if (isInteger(node)) {
        select = node->restype == RTSHORT ? node->resval.rint : node->resval.rlong;
        node = node->rbnext;
    }
    const resbuf* after = node && node->restype == RTLB ? afterList(node) : nullptr;
    if (after && after->restype == RTLE) {
        rebuild(node, select);
        return;
    }
    mTree.DeleteAllItems();
    readTreeItems(node, mTree);
    selectData(select);
}

void CRoomTree::createRoom() {
    save();
    EndDialog(kRoomTreeCreateRoomResult);
}

void CRoomTree::editRooms() {
    save();
    LispCallResult empty;
    if (invokeLisp("room-hvac-tableIsEmpty", nullptr, empty) && empty.type() != RTNIL && empty.type() != RTNONE) {
        EndDialog(kRoomTreeCreateRoomResult);
        return;
    }
    editCommand("-editRooms");
}

void CRoomTree::viewLoad() {
    save();
    invokeLispIgnoringResult(function("-view").c_str(), acutBuildList(RTLONG, selectedData(), 0));
}

bool CRoomTree::dropAllowed(HTREEITEM target) const {
    const std::vector<HTREEITEM>& selected = mTree.selectedItems();
    if (!target || selected.empty()) return false;
    if (mKind.floorRules) {
        if (target == mTree.GetRootItem()) return false;
        if (std::any_of(selected.begin(), selected.end(), [](HTREEITEM s) { return s->data > 0; })) return false;
    }
    if (selected.front()->parent == target || mTree.isSelected(target)) return false;
    if (target->data >= 0)
        return std::none_of(selected.begin(), selected.end(),
                            [target](HTREEITEM s) { return CDragDropTreeCtrl::isAncestorOf(s, target); });
    return dropAllowed(mTree.GetParentItem(target));
}

void CRoomTree::OnDragMoved(TreePoint point) {
    if (!dropAllowed(mTree.HitTest(point))) mTree.SelectDropTarget(nullptr);
}

void CRoomTree::OnDropped(TreePoint, HTREEITEM target) {
    if (!dropAllowed(target)) return;
    if (target->data < 0) target = mTree.GetParentItem(target);
    std::vector<HTREEITEM> sources = mTree.selectedItems();
    mTree.clearSelection();
    for (HTREEITEM source : sources) {
        HTREEITEM copy = mTree.CopySubtree(source, target);
        mTree.DeleteItem(source);
        if (mTree.selectedItems().empty()) mTree.SelectItem(copy);
        mTree.addToSelection(copy);
    }
    mTree.Expand(target, true);
}

} // namespace hvac
