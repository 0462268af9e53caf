// Filing statuses as a user reads them.
#include "database/io/FileErrorText.h"

namespace orv::io {

const char* fileErrorText(Acad::ErrorStatus status) {
    switch (status) {
    case Acad::eBadDxfSequence: return "its groups are not in the expected order (a subclass marker is missing)";
    case Acad::eInvalidDxfFile:
    case Acad::eInvalidDxfCode: return "it holds a value that is not valid for its group";
    case Acad::eEndOfFile:
    case Acad::eEndOfObject:
    case Acad::eDwgObjectImproperlyRead: return "its data ends before it is complete";
    case Acad::eHandleExists:
    case Acad::eDuplicateKey: return "its handle is used by another object";
    case Acad::eDuplicateRecordName: return "its name is used by another record of the table";
    case Acad::eInvalidResBuf: return "its extended data holds a group code that extended data cannot have";
    case Acad::eInvalidInput:
    case Acad::eOutOfRange: return "it holds a value out of range";
    case Acad::eOutOfMemory: return "there is not enough memory";
    case Acad::eFilerError: return "it cannot be written";
    case Acad::eWrongObjectType:
    case Acad::eNotThatKindOfClass: return "it is not of the kind expected there";
    case Acad::eNoDatabase:
    case Acad::eNotInDatabase: return "it belongs to no drawing";
    case Acad::eNullHandle:
    case Acad::eUnknownHandle:
    case Acad::eBrokenHandle: return "it refers to an object that is not in the drawing";
    default: return Acad::errorStatusText(status);
    }
}

}  // namespace orv::io
