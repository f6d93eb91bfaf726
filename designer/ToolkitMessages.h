#pragma once
// The toolkit's own chatter ("QStandardPaths: XDG_RUNTIME_DIR not set",
// "This plugin does not support propagateSizeHints()") is about Qt's
// environment, not about what a command did, and a person reading a
// command's standard error cannot act on it. Only the program's own
// progress and errors go there, so Qt's debug, info and warning messages
// are dropped; its critical and fatal messages still come through.
// DV_QT_MESSAGES=1 keeps everything, for whoever debugs the toolkit.
namespace designer {

// Installs the filter for the rest of the process; call before Qt starts.
void QuietToolkitMessages();

}  // namespace designer
