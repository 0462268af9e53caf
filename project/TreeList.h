// The tree list exchanged with AutoLISP: items in tree order, an item with
// data 0 as its text, any other as (text . data), an item with children
// followed by a nested list of them.
#pragma once

#include "ads/ads.h"
#include "project/DragDropTreeCtrl.h"

namespace hvac {

// Adds the items of a tree list (starting at its RTLB) under parent (null:
// the root), expanding items that get children. Answers the node after the
// list. A string followed by an integer is read as (text . data); other
// elements are skipped; anything that is not a list adds nothing.
const resbuf* readTreeList(const resbuf* list, CDragDropTreeCtrl& tree, HTREEITEM parent = nullptr);

// Same, for the elements from first up to the end of their list.
const resbuf* readTreeItems(const resbuf* first, CDragDropTreeCtrl& tree, HTREEITEM parent = nullptr);

// The tree list of every item from the first root item on (release with
// acutRelRb); an empty tree gives an empty list.
resbuf* writeTreeList(const CDragDropTreeCtrl& tree);

} // namespace hvac
