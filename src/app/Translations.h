#pragma once

class QCoreApplication;

// Qt's own dialogs (message-box buttons, the open-file and printer dialogs, the input
// box) speak Brazilian Portuguese whatever the machine's locale: the operators read
// Portuguese only. The translation is built into the program, so a machine without
// Qt's translation package shows the same texts; the program's default locale becomes
// Brazilian Portuguese, so names of file types, sizes and dates follow. False when the
// translation could not be loaded.
bool installPortugueseDialogs(QCoreApplication& app);
