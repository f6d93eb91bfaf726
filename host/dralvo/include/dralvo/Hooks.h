#pragma once
// Seams to the user interface, installed by whoever has one (the designer
// program, a test). The runtime itself shows nothing.
#include <functional>
#include <string>

namespace rtl {
class TComponent;
}

namespace dralvo {

// Asks for user name and password; false when the person cancels. With no
// handler installed, no one is asked and the connection goes ahead with
// what the parameters hold.
using TLoginPromptHandler =
    std::function<bool(const std::string& databaseName, std::string& userName, std::string& password)>;
void SetLoginPromptHandler(TLoginPromptHandler handler);
const TLoginPromptHandler& GetLoginPromptHandler();

// Tells the user of a link the runtime changed on its own (an update object
// taken over by a second dataset leaves the first). With no handler
// installed, the notice goes nowhere.
using TDesignNoticeHandler = std::function<void(const std::string& notice)>;
void SetDesignNoticeHandler(TDesignNoticeHandler handler);
void DesignNotice(const std::string& notice);

// Tells the user what a server said beside a result (a PostgreSQL notice or
// warning), as the server wrote it: the handler makes it safe to show.
// `server` names the server's type. With no handler installed, the message
// goes nowhere, and never raw to a terminal.
using TServerNoticeHandler = std::function<void(const std::string& server, const std::string& message)>;
void SetServerNoticeHandler(TServerNoticeHandler handler);
void ServerNotice(const std::string& server, const std::string& message);

// The folder of the module (data module, form) `root` is being designed
// from: a relative SQLite file of a database owned by that root is taken
// relative to it. An empty folder clears the entry; freeing the root clears
// it too.
void SetModuleFolder(const rtl::TComponent* root, const std::string& folder);
// The folder for `component` (its root's entry); empty when none.
std::string GetModuleFolder(const rtl::TComponent* component);
// How many roots have a folder (for diagnostics and tests).
int ModuleFolderCount();

}  // namespace dralvo
