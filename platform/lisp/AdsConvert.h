// Conversions between AutoLISP values and result-buffer lists: function
// arguments and results, and DXF group lists (entity data).
#pragma once

#include <memory>

#include "ads/ads.h"
#include "lisp/LispValue.h"

namespace lisp {

// What a node of a given type code carries.
enum class RbKind { None, Real, Point, Short, Long, String, Name };
RbKind resbufKind(int restype);

// A deep copy of a chain (null for null).
resbuf* copyResbufs(const resbuf* list);

// Appends the nodes of one value as a function receives it: integers RTSHORT
// or RTLONG, lists of 2 or 3 numbers as points, a dotted pair (a . b) as
// RTLB a b RTDOTE, other lists RTLB ... RTLE. Raises a LispError for values
// that have no node form (symbols other than T, functions).
void appendValueNodes(const Ref& value, resbuf*& head, resbuf*& tail);
resbuf* valueToResbufs(const Ref& value);
// The nodes of all values in order (null for none).
resbuf* valuesToResbufs(Args values);

// Reads one value from a node chain and moves node past it. Accepts both
// dotted-pair forms: RTLB a RTDOTE b RTLE and RTLB a b RTDOTE. Raises a
// LispError on a malformed chain.
Ref readResbufValue(const resbuf*& node);
// All values of a chain.
std::vector<Ref> resbufsToValues(const resbuf* list);
// A result list as AutoLISP sees it: nil for none, the value for one node
// group, a list for several.
Ref resbufsToResult(const resbuf* list);

// Entity data: each node with a group code becomes (code . value), points
// (code x y z); -3 starts extended data, grouped per application as
// (-3 ("APP" (1000 . "text") ...)). And back.
Ref dxfResbufsToList(const resbuf* list);
resbuf* dxfListToResbufs(const Ref& list);

// Owns a chain and releases it with acutRelRb.
struct ResbufRelease {
    void operator()(resbuf* list) const { acutRelRb(list); }
};
using ResbufList = std::unique_ptr<resbuf, ResbufRelease>;
// Entity data of a chain the caller hands over (nil for none).
Ref dxfListOrNil(resbuf* list);

// Argument readers shared by the built-ins over the drawing and the editor.
// The name an entity or selection-set value carries; any other value is a
// bad argument named by predicate.
void nameArg(const Ref& value, Type type, const char* predicate, ads_name name);
inline void enameArg(const Ref& value, ads_name name) { nameArg(value, Type::Ename, "lentityp", name); }
// A point from a list of 2 or 3 numbers (z 0 when absent); false otherwise.
bool pointValue(const Ref& value, ads_point point);

}  // namespace lisp
