// The host-input built-in: queues answers for the next prompts.
#pragma once

namespace lisp {
class Interpreter;
}

// Defines (host-input ITEM ...): each ITEM a point (a list of 2 or 3
// numbers), a string ("" is Enter, "*Cancel*" is Escape) or a number (typed
// as its text). Returns the number of answers queued.
// Also defines the editor's AutoLISP function groups below.
void registerEditorBuiltins(lisp::Interpreter& interpreter);

// ssget ssadd ssdel sslength ssname ssmemb ssgetfirst
void registerSelectionBuiltins(lisp::Interpreter& interpreter);
// command
void registerCommandBuiltins(lisp::Interpreter& interpreter);
// getpoint getcorner getdist getangle getorient getint getreal getstring
// getkword initget getfiled entsel nentsel
void registerInputBuiltins(lisp::Interpreter& interpreter);
// entmod entupd handent tblsearch tblnext tblobjname regapp xdsize xdroom
// layoutlist textbox
void registerDatabaseBuiltins(lisp::Interpreter& interpreter);
// namedobjdict dictsearch dictnext dictadd dictremove dictrename entmakex
void registerDictionaryBuiltins(lisp::Interpreter& interpreter);
