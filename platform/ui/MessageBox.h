// Message boxes and the shell: the host stand-in shows a message box by
// printing its title and text on the command line and answers it from a
// queue that scripts fill (host-answer); an empty queue takes the default
// (first) button.
#pragma once

#include <string>

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using HWND = void*;

int MessageBox(HWND owner, const char* text, const char* caption, unsigned type);
int AfxMessageBox(const char* text, unsigned type = MB_OK);

// Queues the answer ("Yes", "No", "OK", "Cancel") of the next message box.
void uiQueueAnswer(const std::string& answer);
void uiClearAnswers();

// Opens a document or address with the shell; the stand-in has no browser
// and answers 2 (file not found), as a failing shell call does.
long ShellExecute(HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
                  int show);
