// The host's modal dialogs, headless: a dialog has a title, controls with
// ids and captions, a result code, a saved-position name and resize anchors
// (recorded; there is no screen). DoModal prints the dialog, then takes the
// actions scripts queued (DialogActions.h) as a person's input until the
// dialog ends; with the queue empty it presses Escape.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/RowControl.h"

struct DialogAction;

enum : int { IDC_STATIC = -1 };

// A drop-down list (a combo box without typing): its items with their item
// data and the chosen one (-1: none).
class CDropList {
public:
    int AddString(std::string text, int32_t data = 0);
    int GetCount() const { return int(mItems.size()); }
    int GetCurSel() const { return mCurrent; }
    // False for an index out of range (the choice is then cleared).
    bool SetCurSel(int index);
    int32_t GetItemData(int index) const;
    std::string GetText(int index) const;
    int FindString(const std::string& text) const;  // -1 when no item has the text

private:
    struct Item {
        std::string text;
        int32_t data;
    };
    std::vector<Item> mItems;
    int mCurrent = -1;
};

class CAcUiDialog {
public:
    explicit CAcUiDialog(std::string title);
    virtual ~CAcUiDialog();
    CAcUiDialog(const CAcUiDialog&) = delete;
    CAcUiDialog& operator=(const CAcUiDialog&) = delete;

    // Shows the dialog and returns its result code; -1 when it cannot be
    // created (its resource is unusable: two controls with one id).
    int DoModal();
    // Ends the dialog with result (from a handler while it runs).
    void EndDialog(int result);
    bool running() const { return mRunning; }

    const std::string& title() const { return mTitle; }

    // Controls of the resource. A button runs its handler when pressed; the
    // buttons IDOK and IDCANCEL default to OnOK and OnCancel.
    void addButton(int id, std::string caption, std::function<void()> onPress = {});
    // A control showing rows (owned by the dialog's subclass).
    void addRowControl(int id, RowControl* control);
    void addStatic(std::string caption);
    // A labelled drop-down list (owned by the dialog's subclass); onChange
    // runs after a person picks an item, even the one already chosen.
    void addDropList(int id, std::string label, CDropList* list, std::function<void()> onChange = {});

    struct Control {
        int id;
        std::string caption;
        RowControl* rows = nullptr;
        std::function<void()> onPress;
        bool button = false;
        CDropList* list = nullptr;
    };
    const std::vector<Control>& controls() const { return mControls; }
    const Control* control(int id) const;

    // The name under which the host keeps the dialog's size and position.
    void SetDialogName(std::string name) { mDialogName = std::move(name); }
    const std::string& dialogName() const { return mDialogName; }
    void SetIcon(int resourceId) { mIcon = resourceId; }
    int icon() const { return mIcon; }

    // Resize anchors: how much of a size change (in percent) a control moves
    // by or grows by, in x and y.
    struct Anchor {
        int id;
        int moveX = 0, moveY = 0, growX = 0, growY = 0;
    };
    void StretchControlXY(int id, int percentX, int percentY);
    void MoveControlX(int id, int percent) { MoveControlXY(id, percent, 0); }
    void MoveControlY(int id, int percent) { MoveControlXY(id, 0, percent); }
    void MoveControlXY(int id, int percentX, int percentY);
    const std::vector<Anchor>& anchors() const { return mAnchors; }

    // The host's text picture of the dialog: "[dialog TITLE]", one line per
    // visible row of its row controls and "LABEL CHOSEN" per drop-down list.
    std::string picture() const;

protected:
    // Fills the controls before the dialog is shown; false fails DoModal.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(1); }
    virtual void OnCancel() { EndDialog(2); }

private:
    void perform(const DialogAction& action);
    std::string act(const DialogAction& action);
    std::string press(const DialogAction& action);
    std::string choose(const DialogAction& action);
    RowControl* rowControl() const;
    Anchor& anchor(int id);

    std::string mTitle;
    std::vector<Control> mControls;
    std::string mDialogName;
    std::vector<Anchor> mAnchors;
    int mIcon = 0;
    int mResult = 0;
    bool mRunning = false;
    bool mEnded = false;
};
