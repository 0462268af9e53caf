// The host's file-open dialog, headless: it prints what it offers and takes
// its answer from the editor's input queue (host-input): a path chooses that
// file, "*Cancel*" or an empty queue cancels.
#pragma once

#include <string>

enum : unsigned {
    OFN_HIDEREADONLY = 0x4,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
};

class CFileDialog {
public:
    // filter: "Description (*.ext)|*.ext||"; fileName: the preset path.
    CFileDialog(bool openFileDialog, std::string defaultExt = "", std::string fileName = "", unsigned flags = 0,
                std::string filter = "");
    // IDOK with a file chosen, IDCANCEL otherwise. With OFN_FILEMUSTEXIST a
    // path that does not exist is refused and the next answer is taken.
    int DoModal();
    std::string GetPathName() const { return mPath; }
    // The chosen file's name without its folder and extension.
    std::string GetFileTitle() const;

private:
    bool mOpen;
    std::string mDefaultExt;
    std::string mPath;
    unsigned mFlags;
    std::string mFilter;
};
