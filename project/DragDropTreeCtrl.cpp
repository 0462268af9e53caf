// The drag-and-drop tree control: items, selection rules and the drag.
#include "project/DragDropTreeCtrl.h"

#include <algorithm>

namespace hvac {

namespace {

void collectVisible(const TreeItem& parent, std::vector<HTREEITEM>& out) {
    for (const auto& child : parent.children) {
        out.push_back(child.get());
        if (child->expanded) collectVisible(*child, out);
    }
}

int depthOf(HTREEITEM item) {
    int depth = 0;
    for (HTREEITEM p = item->parent; p && p->parent; p = p->parent) ++depth;
    return depth;
}

bool sameParentAsAll(HTREEITEM item, const std::vector<HTREEITEM>& selected) {
    return std::all_of(selected.begin(), selected.end(),
                       [item](HTREEITEM s) { return s->parent == item->parent; });
}

} // namespace

CDragDropTreeCtrl::CDragDropTreeCtrl() { mRoot.expanded = true; }

HTREEITEM CDragDropTreeCtrl::InsertItem(const std::string& text, int32_t data, HTREEITEM parent) {
    TreeItem* owner = parent ? parent : &mRoot;
    auto item = std::make_unique<TreeItem>();
    item->text = text;
    item->data = data;
    item->parent = owner;
    owner->children.push_back(std::move(item));
    return owner->children.back().get();
}

void CDragDropTreeCtrl::forgetItem(HTREEITEM item) {
    auto inside = [item](HTREEITEM other) { return other && isAncestorOf(item, other); };
    mSelected.erase(std::remove_if(mSelected.begin(), mSelected.end(), inside), mSelected.end());
    if (inside(mCaret)) mCaret = nullptr;
    if (inside(mAnchor)) mAnchor = nullptr;
    if (inside(mDropHighlight)) mDropHighlight = nullptr;
}

void CDragDropTreeCtrl::DeleteItem(HTREEITEM item) {
    if (!item || !item->parent) return;
    forgetItem(item);
    auto& siblings = item->parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [item](const std::unique_ptr<TreeItem>& c) { return c.get() == item; }));
}

void CDragDropTreeCtrl::DeleteAllItems() {
    mSelected.clear();
    mCaret = mAnchor = mDropHighlight = nullptr;
    mRoot.children.clear();
}

HTREEITEM CDragDropTreeCtrl::GetRootItem() const {
    return mRoot.children.empty() ? nullptr : mRoot.children.front().get();
}

HTREEITEM CDragDropTreeCtrl::GetParentItem(HTREEITEM item) const {
    return item && item->parent != &mRoot ? item->parent : nullptr;
}

HTREEITEM CDragDropTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    if (!item || !item->parent) return nullptr;
    auto& siblings = item->parent->children;
    for (size_t i = 0; i + 1 < siblings.size(); ++i)
        if (siblings[i].get() == item) return siblings[i + 1].get();
    return nullptr;
}

void CDragDropTreeCtrl::Expand(HTREEITEM item, bool expand) {
    if (item) item->expanded = expand;
}

bool CDragDropTreeCtrl::isAncestorOf(HTREEITEM ancestor, HTREEITEM item) {
    for (HTREEITEM p = item; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

HTREEITEM CDragDropTreeCtrl::CopySubtree(HTREEITEM item, HTREEITEM parent) {
    HTREEITEM copy = InsertItem(item->text, item->data, parent);
    copy->image = item->image;
    copy->selectedImage = item->selectedImage;
    copy->bold = item->bold;
    for (const auto& child : item->children) CopySubtree(child.get(), copy);
    copy->expanded = item->expanded;
    return copy;
}

std::vector<HTREEITEM> CDragDropTreeCtrl::visibleItems() const {
    std::vector<HTREEITEM> items;
    collectVisible(mRoot, items);
    return items;
}

HTREEITEM CDragDropTreeCtrl::visibleItem(int row) const {
    std::vector<HTREEITEM> items = visibleItems();
    return row >= 0 && row < int(items.size()) ? items[size_t(row)] : nullptr;
}

HTREEITEM CDragDropTreeCtrl::HitTest(TreePoint point) const {
    return point.y < 0 ? nullptr : visibleItem(point.y / kItemHeight);
}

TreePoint CDragDropTreeCtrl::pointOf(HTREEITEM item) const {
    std::vector<HTREEITEM> items = visibleItems();
    auto found = std::find(items.begin(), items.end(), item);
    int row = found == items.end() ? -1 : int(found - items.begin());
    return {5, row * kItemHeight + 5};
}

void CDragDropTreeCtrl::EnsureVisible(HTREEITEM item) {
    for (HTREEITEM p = item ? item->parent : nullptr; p; p = p->parent) p->expanded = true;
}

void CDragDropTreeCtrl::SelectItem(HTREEITEM item) { mCaret = item; }

void CDragDropTreeCtrl::clearSelection() { mSelected.clear(); }

void CDragDropTreeCtrl::addToSelection(HTREEITEM item) {
    if (item && !isSelected(item)) mSelected.push_back(item);
}

bool CDragDropTreeCtrl::isSelected(HTREEITEM item) const {
    return std::find(mSelected.begin(), mSelected.end(), item) != mSelected.end();
}

void CDragDropTreeCtrl::OnLButtonDown(HTREEITEM item, TreeKey key) {
    if (!item) return;
    if (key != TreeKey::kNone && mSelected.empty()) {
        mSelected.push_back(item);
        mCaret = item;
        return;
    }
    if (key == TreeKey::kCtrl) {
        if (!sameParentAsAll(item, mSelected)) return;
        auto found = std::find(mSelected.begin(), mSelected.end(), item);
        if (found != mSelected.end()) mSelected.erase(found);
        else mSelected.push_back(item);
        return;
    }
    if (key == TreeKey::kShift) {
        if (!sameParentAsAll(item, mSelected)) return;
        std::vector<HTREEITEM> order = visibleItems();
        auto first = std::find(order.begin(), order.end(), mSelected.front());
        auto last = std::find(order.begin(), order.end(), item);
        if (first == order.end() || last == order.end()) return;
        if (last < first) std::swap(first, last);
        mSelected.clear();
        for (auto it = first; it <= last; ++it)
            if ((*it)->parent == item->parent) mSelected.push_back(*it);
        return;
    }
    mAnchor = item;
    if (!(mSelected.size() > 1 && isSelected(item))) {
        mSelected.assign(1, item);
        mCaret = item;
    }
}

void CDragDropTreeCtrl::OnBeginDrag() {
    if (mSelected.empty()) return;
    mDragImage.clear();
    for (HTREEITEM item : mSelected) mDragImage.push_back(item->text);
    mDragging = true;
    for (CDragEventListener* listener : mListeners) listener->OnDragBegun();
}

void CDragDropTreeCtrl::OnMouseMove(TreePoint point) {
    if (!mDragging) return;
    mDropHighlight = HitTest(point);
    for (CDragEventListener* listener : mListeners) listener->OnDragMoved(point);
}

void CDragDropTreeCtrl::OnLButtonUp(TreePoint point, TreeKey key) {
    if (!mDragging) {
        if (key == TreeKey::kNone && mSelected.size() > 1 && mAnchor) {
            mSelected.assign(1, mAnchor);
            mCaret = mAnchor;
        }
        return;
    }
    mDragging = false;
    mDropHighlight = nullptr;
    mDragImage.clear();
    HTREEITEM target = HitTest(point);
    for (CDragEventListener* listener : mListeners) listener->OnDropped(point, target);
}

int CDragDropTreeCtrl::visibleRowCount() const { return int(visibleItems().size()); }

int CDragDropTreeCtrl::visibleRowLevel(int row) const {
    HTREEITEM item = visibleItem(row);
    return item ? depthOf(item) : 0;
}

std::string CDragDropTreeCtrl::visibleRowLabel(int row) const {
    HTREEITEM item = visibleItem(row);
    return item ? item->text : std::string();
}

std::vector<std::string> CDragDropTreeCtrl::visibleRowTexts(int row) const { return {visibleRowLabel(row)}; }

std::string CDragDropTreeCtrl::userSelect(int row, int /*column*/) {
    HTREEITEM item = visibleItem(row);
    if (!item) return "there is no row " + std::to_string(row);
    OnLButtonDown(item, TreeKey::kNone);
    OnLButtonUp(pointOf(item), TreeKey::kNone);
    return "";
}

std::string CDragDropTreeCtrl::userSetText(int, int, const std::string&) {
    return "tree items are not edited in place";
}

std::string CDragDropTreeCtrl::userExpand(int row) {
    HTREEITEM item = visibleItem(row);
    if (!item) return "there is no row " + std::to_string(row);
    if (item->children.empty()) return "the item has no children";
    item->expanded = !item->expanded;
    return "";
}

std::string CDragDropTreeCtrl::userDrag(const std::vector<int>& rows, int target, DragModifier modifier) {
    std::vector<HTREEITEM> items;
    for (int row : rows) {
        HTREEITEM item = visibleItem(row);
        if (!item) return "there is no row " + std::to_string(row);
        items.push_back(item);
    }
    HTREEITEM onto = visibleItem(target);
    if (items.empty() || !onto) return "nothing to drag";
    // The first row is clicked plainly, the others with the key held
    // (Ctrl when none is named); then the drag starts and ends on the target.
    TreeKey key = modifier == DragModifier::kShift ? TreeKey::kShift : TreeKey::kCtrl;
    OnLButtonDown(items.front(), TreeKey::kNone);
    for (size_t i = 1; i < items.size(); ++i) OnLButtonDown(items[i], key);
    OnBeginDrag();
    if (!mDragging) return "nothing is selected";
    TreePoint point = pointOf(onto);
    OnMouseMove(point);
    bool allowed = mDropHighlight != nullptr;
    OnLButtonUp(point, TreeKey::kNone);
    return allowed ? "" : "the items cannot be dropped there";
}

} // namespace hvac
