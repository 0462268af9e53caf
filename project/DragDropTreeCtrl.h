// A tree control whose items can be multi-selected (Ctrl and Shift clicks)
// and dragged onto other items. The control only tracks the gesture; what a
// drop means is decided by its drag listeners (the dialog holding it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/RowControl.h"

namespace hvac {

struct TreeItem {
    std::string text;
    int32_t data = 0;
    int image = 0;
    int selectedImage = 0;
    bool bold = false;
    bool expanded = false;
    TreeItem* parent = nullptr;
    std::vector<std::unique_ptr<TreeItem>> children;
};
using HTREEITEM = TreeItem*;

// A cursor position in the control: rows are kItemHeight high, top to bottom.
struct TreePoint {
    int x = 0, y = 0;
};

// Told about a drag in this order of first use: begun, moved, dropped.
class CDragEventListener {
public:
    virtual ~CDragEventListener() = default;
    virtual void OnDragMoved(TreePoint point) = 0;
    virtual void OnDropped(TreePoint point, HTREEITEM target) = 0;
    virtual void OnDragBegun() = 0;
};

enum class TreeKey { kNone, kCtrl, kShift };

class CDragDropTreeCtrl : public RowControl {
public:
    static constexpr int kItemHeight = 16;

    CDragDropTreeCtrl();

    // Items (parent null: a root item); new items go last among their siblings.
    HTREEITEM InsertItem(const std::string& text, int32_t data, HTREEITEM parent = nullptr);
    void DeleteItem(HTREEITEM item);
    void DeleteAllItems();
    HTREEITEM GetRootItem() const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    const std::vector<std::unique_ptr<TreeItem>>& rootItems() const { return mRoot.children; }
    bool ItemHasChildren(HTREEITEM item) const { return item && !item->children.empty(); }
    void Expand(HTREEITEM item, bool expand);
    // True when ancestor is item itself or one of its parents.
    static bool isAncestorOf(HTREEITEM ancestor, HTREEITEM item);
    // Copies item and its subtree last under parent; answers the copy.
    HTREEITEM CopySubtree(HTREEITEM item, HTREEITEM parent);

    // Items a person sees, top to bottom.
    std::vector<HTREEITEM> visibleItems() const;
    HTREEITEM HitTest(TreePoint point) const;
    TreePoint pointOf(HTREEITEM item) const;
    void EnsureVisible(HTREEITEM item);

    // Selection: the caret and the multi-selection in selection order.
    HTREEITEM GetSelectedItem() const { return mCaret; }
    void SelectItem(HTREEITEM item);
    const std::vector<HTREEITEM>& selectedItems() const { return mSelected; }
    void clearSelection();
    void addToSelection(HTREEITEM item);
    bool isSelected(HTREEITEM item) const;

    HTREEITEM GetDropHilightItem() const { return mDropHighlight; }
    void SelectDropTarget(HTREEITEM item) { mDropHighlight = item; }

    void addListener(CDragEventListener* listener) { mListeners.push_back(listener); }

    // The mouse, as the host's window messages would bring it.
    void OnLButtonDown(HTREEITEM item, TreeKey key);
    void OnLButtonUp(TreePoint point, TreeKey key);
    void OnBeginDrag();
    void OnMouseMove(TreePoint point);
    bool dragging() const { return mDragging; }
    // The drag image's lines: one per selected item (empty when not dragging).
    const std::vector<std::string>& dragImage() const { return mDragImage; }

    // RowControl
    int visibleRowCount() const override;
    int visibleRowLevel(int row) const override;
    std::string visibleRowLabel(int row) const override;
    std::vector<std::string> visibleRowTexts(int row) const override;
    std::string userSelect(int row, int column) override;
    std::string userSetText(int row, int column, const std::string& text) override;
    std::string userExpand(int row) override;
    std::string userDrag(const std::vector<int>& rows, int target, DragModifier modifier) override;

private:
    HTREEITEM visibleItem(int row) const;
    void forgetItem(HTREEITEM item);

    TreeItem mRoot;
    std::vector<HTREEITEM> mSelected;
    HTREEITEM mCaret = nullptr;
    HTREEITEM mAnchor = nullptr;
    HTREEITEM mDropHighlight = nullptr;
    bool mDragging = false;
    std::vector<std::string> mDragImage;
    std::vector<CDragEventListener*> mListeners;
};

} // namespace hvac
