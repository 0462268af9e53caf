// The headless file-open dialog answered from the input queue.
#include "ui/FileDialog.h"

#include <filesystem>

#include "ads/ads.h"
#include "editor/EditorInput.h"
#include "ui/MessageBox.h"

CFileDialog::CFileDialog(bool openFileDialog, std::string defaultExt, std::string fileName, unsigned flags,
                         std::string filter)
    : mOpen(openFileDialog), mDefaultExt(std::move(defaultExt)), mPath(std::move(fileName)), mFlags(flags),
      mFilter(std::move(filter)) {}

int CFileDialog::DoModal() {
    std::string filter = mFilter.substr(0, mFilter.find('|'));
    acutPrintf("\n[file dialog %s: %s%s%s]", mOpen ? "Open" : "Save As", filter.c_str(), mPath.empty() ? "" : ", ",
               mPath.c_str());
    AcEdInputItem item;
    while (acedNextInput(item) && !item.isPoint && !item.isCancel() && !item.isEnter()) {
        std::filesystem::path chosen(item.text);
        if (!chosen.has_extension() && !mDefaultExt.empty()) chosen += "." + mDefaultExt;
        if ((mFlags & OFN_FILEMUSTEXIST) && !std::filesystem::exists(chosen)) {
            acutPrintf("\n[file dialog] no such file: %s", chosen.string().c_str());
            continue;
        }
        mPath = chosen.string();
        acutPrintf("\n[file dialog closed: %s]", mPath.c_str());
        return IDOK;
    }
    acutPrintf("\n[file dialog closed: Cancel]");
    return IDCANCEL;
}

std::string CFileDialog::GetFileTitle() const { return std::filesystem::path(mPath).stem().string(); }
