// The report shown when a modal dialog of the module cannot be created.
#pragma once

// When result is -1 or 3, offers to download the missing components and
// follows the answer. Returns result unchanged.
int reportDialogFailure(int result);
