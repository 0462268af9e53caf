// The host-input built-in: queues answers for the next prompts.
#pragma once

namespace lisp {
class Interpreter;
}

// Defines (host-input ITEM ...): each ITEM a point (a list of 2 or 3
// numbers) or a string ("" is Enter, "*Cancel*" is Escape). Returns the
// number of answers queued.
void registerEditorBuiltins(lisp::Interpreter& interpreter);
