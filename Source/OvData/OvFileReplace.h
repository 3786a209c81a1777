#pragma once
// Saving a file without ever leaving it half written: the text goes to a temporary file
// next to the target, which then replaces the target in one step.
#include "OvCore/OvString.h"
#include "Ovio/OvFile.h"
#include "Ovio/OvFileSpec.h"

// The temporary file written before the target is replaced: the target's path + ".tmp".
OvFileSpec OvTemporaryFileFor(const OvFileSpec& target);

// Writes text through file (opened on the temporary file) and replaces target with it.
// If writing fails, the temporary file is closed and removed and target stays as it was;
// a failed replacement raises the system error (code 68). Callers pass a plain OvFile;
// the parameter lets tests hand in one that fails midway.
void OvWriteFileReplacing(const OvFileSpec& target, const OvString& text, OvFile& file);
