// Dialog creation failure report.
#include "project/DialogReport.h"

#include "ads/ads.h"
#include "ui/MessageBox.h"

namespace {
const char* kComponentsInstaller = "https://www.orvane.example/support/components-setup.exe";
}

int reportDialogFailure(int result) {
    if (result != -1 && result != 3) return result;
    int answer = MessageBox(nullptr,
                            "Dialog box could not be created.\nComponents need to be installed.\n"
                            "Would you like to download a fix to this error?",
                            "Orvane Error", MB_YESNO | MB_ICONSTOP);
    if (answer != IDYES) return result;
    long shell = ShellExecute(nullptr, "OPEN", kComponentsInstaller, nullptr, nullptr, 1);
    if (shell <= 32) {
        acutPrintf("\nThe download could not be started. Please contact Orvane technical support.");
        MessageBox(nullptr, "The download could not be started.\nPlease contact Orvane technical support.",
                   "Orvane Error", MB_OK | MB_ICONSTOP);
    } else {
        MessageBox(nullptr,
                   "Please finish the download, close the CAD program, run the installer and restart the CAD "
                   "program.",
                   "Orvane", MB_OK | MB_ICONINFORMATION);
    }
    return result;
}
