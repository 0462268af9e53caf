// Message boxes answered from a queue.
#include "ui/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <string>

#include "ads/ads.h"

namespace {

std::deque<std::string>& answers() {
    static std::deque<std::string> queue;
    return queue;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

int defaultButton(unsigned type) {
    switch (type & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    default: return IDOK;
    }
}

bool allowed(unsigned type, int button) {
    switch (type & 0xF) {
    case MB_OK: return button == IDOK;
    case MB_OKCANCEL: return button == IDOK || button == IDCANCEL;
    case MB_YESNO: return button == IDYES || button == IDNO;
    case MB_YESNOCANCEL: return button == IDYES || button == IDNO || button == IDCANCEL;
    default: return true;
    }
}

} // namespace

void uiQueueAnswer(const std::string& answer) { answers().push_back(answer); }
void uiClearAnswers() { answers().clear(); }

int MessageBox(HWND, const char* text, const char* caption, unsigned type) {
    acutPrintf("\n[%s] %s", caption ? caption : "", text ? text : "");
    int button = defaultButton(type);
    if (!answers().empty()) {
        std::string answer = lower(answers().front());
        answers().pop_front();
        int asked = answer == "yes" ? IDYES : answer == "no" ? IDNO : answer == "cancel" ? IDCANCEL : IDOK;
        if (allowed(type, asked)) button = asked;
    }
    const char* names[] = {"", "OK", "Cancel", "", "", "", "Yes", "No"};
    acutPrintf(" <%s>", names[button]);
    return button;
}

int AfxMessageBox(const char* text, unsigned type) { return MessageBox(nullptr, text, "Orvane HVAC", type); }

long ShellExecute(HWND, const char*, const char*, const char*, const char*, int) { return 2; }
