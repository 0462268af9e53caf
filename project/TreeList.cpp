// Reading and writing tree lists.
#include "project/TreeList.h"

namespace hvac {

namespace {

bool isInteger(const resbuf* node) { return node && (node->restype == RTSHORT || node->restype == RTLONG); }
int32_t integerOf(const resbuf* node) { return node->restype == RTSHORT ? node->resval.rint : node->resval.rlong; }

// One past the list starting at its RTLB (nested lists and pairs included).
const resbuf* skipList(const resbuf* node) {
    int depth = 0;
    for (; node; node = node->rbnext) {
        if (node->restype == RTLB) ++depth;
        else if (node->restype == RTLE || node->restype == RTDOTE) {
            if (--depth == 0) return node->rbnext;
        }
    }
    return nullptr;
}

// A dotted pair (text . integer) at node, in either node order the host
// uses; answers the pair's last node, or null when node is no such pair.
const resbuf* readPair(const resbuf* node, std::string& text, int32_t& data) {
    const resbuf* a = node->rbnext;
    if (!a || a->restype != RTSTR) return nullptr;
    const resbuf* b = a->rbnext;
    if (isInteger(b) && b->rbnext && b->rbnext->restype == RTDOTE) {
        text = a->resval.rstring ? a->resval.rstring : "";
        data = integerOf(b);
        return b->rbnext;
    }
    if (b && b->restype == RTDOTE && isInteger(b->rbnext) && b->rbnext->rbnext &&
        b->rbnext->rbnext->restype == RTLE) {
        text = a->resval.rstring ? a->resval.rstring : "";
        data = integerOf(b->rbnext);
        return b->rbnext->rbnext;
    }
    return nullptr;
}

// Reads the elements from node up to the list's end; answers the node after
// the closing RTLE.
const resbuf* readItems(const resbuf* node, CDragDropTreeCtrl& tree, HTREEITEM parent) {
    HTREEITEM last = nullptr;
    while (node && node->restype != RTLE) {
        if (node->restype == RTSTR) {
            std::string text = node->resval.rstring ? node->resval.rstring : "";
            int32_t data = 0;
            node = node->rbnext;
            if (isInteger(node)) {
                data = integerOf(node);
                node = node->rbnext;
            }
            last = tree.InsertItem(text, data, parent);
        } else if (node->restype == RTLB) {
            std::string text;
            int32_t data = 0;
            if (const resbuf* end = readPair(node, text, data)) {
                last = tree.InsertItem(text, data, parent);
                node = end->rbnext;
            } else if (last) {
                node = readItems(node->rbnext, tree, last);
                if (tree.ItemHasChildren(last)) tree.Expand(last, true);
                last = nullptr;
            } else {
                node = skipList(node);
            }
        } else {
            node = node->rbnext;
        }
    }
    return node ? node->rbnext : nullptr;
}

class Chain {
public:
    void add(resbuf* node) {
        if (!node) return;
        (mTail ? mTail->rbnext : mHead) = node;
        mTail = node;
        while (mTail->rbnext) mTail = mTail->rbnext;
    }
    resbuf* head() const { return mHead; }

private:
    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
};

void writeItems(const std::vector<std::unique_ptr<TreeItem>>& items, Chain& chain) {
    chain.add(acutBuildList(RTLB, 0));
    for (const auto& item : items) {
        if (item->data == 0) chain.add(acutBuildList(RTSTR, item->text.c_str(), 0));
        else chain.add(acutBuildList(RTLB, RTSTR, item->text.c_str(), RTLONG, item->data, RTDOTE, 0));
        if (!item->children.empty()) writeItems(item->children, chain);
    }
    chain.add(acutBuildList(RTLE, 0));
}

} // namespace

const resbuf* readTreeList(const resbuf* list, CDragDropTreeCtrl& tree, HTREEITEM parent) {
    if (!list || list->restype != RTLB) return list ? list->rbnext : nullptr;
    return readItems(list->rbnext, tree, parent);
}

const resbuf* readTreeItems(const resbuf* first, CDragDropTreeCtrl& tree, HTREEITEM parent) {
    return readItems(first, tree, parent);
}

resbuf* writeTreeList(const CDragDropTreeCtrl& tree) {
    Chain chain;
    writeItems(tree.rootItems(), chain);
    return chain.head();
}

} // namespace hvac
