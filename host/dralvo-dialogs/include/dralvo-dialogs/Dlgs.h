#pragma once
// Dvdlgs: the runtime library's modal dialogs, made of the widget layer's
// controls: the database editor, the connection-parameters editor, the SQL
// editor of a query and the input of a remote database. Each runs through
// the widget layer's modal seam, so an automation can drive it.
#include <functional>
#include <memory>
#include <string>

#include "dralvo/ServerTypes.h"
#include "rtl/text/Strings.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace dralvo {

class TDVDatabase;
class TDVQuery;

// Moves a text to the code editor: the lines and whether the person had
// changed them in the dialog.
using TShowCodeEditorProc = std::function<void(rtl::TStrings* Strings, bool TextModified)>;
// Fills the list with the default connection parameters.
using TGetParamsProc = std::function<void(rtl::TStrings* List)>;

// Edits the name=value lines in place; true when the person accepted (the
// list then holds the dialog's lines). A button moves the text to the code
// editor through ShowCodeEditor instead (the list stays as it was, the
// result is false); another adds the default parameters that GetDefaultParams
// gives. Either callback may be empty, which hides or disables its button.
bool ShowDatabaseParamsEditor(rtl::TStrings* Params, TShowCodeEditorProc ShowCodeEditor,
                              TGetParamsProc GetDefaultParams);

// The query's SQL in an editor titled Title, beside the tables of the
// query's database and the columns of the chosen table, whose names can be
// inserted at the cursor. OK stores the text into the query and returns
// true. A button moves the text to the code editor through ShowCodeEditor
// instead (the query stays as it was, the result is false). A database the
// dialog had to connect to list its tables is disconnected again.
bool ShowSQLEditor(const std::string& Title, TDVQuery* Query, TShowCodeEditorProc ShowCodeEditor);

// Asks for a remote database of the server type: an existing file for
// SQLite, a connection string for PostgreSQL, starting from Value. The new
// value, or "" when the person cancelled.
std::string InputRemoteDatabaseValue(TDVServerType ServerType, const std::string& Value);

// The database editor: every connection property of a database, the
// recent remote databases to choose from, and buttons that load and save
// the default parameters and server type through the handlers its caller
// sets. "Test connection" connects with the values shown (never through a
// database component) and reports the outcome, passwords masked.
class TDVDatabaseEditDlg : public vcl::TForm {
  RTL_CLASS(TDVDatabaseEditDlg)
 public:
  // The second argument is unused; it is there for callers of the
  // platform's form constructor that takes one.
  TDVDatabaseEditDlg(rtl::TComponent* AOwner, int Dummy);
  ~TDVDatabaseEditDlg() override;

  // Fills every field from the database; null: the values of a new one
  // (the library's default server type, options on their defaults).
  void LoadData(TDVDatabase* Database);

  std::string GetDatabaseName() const;
  void SetDatabaseName(const std::string& Value);
  TDVServerType GetServerType() const;
  void SetServerType(TDVServerType Value);
  std::string GetRemoteDatabase() const;
  void SetRemoteDatabase(const std::string& Value);
  // The drop-down list of the remote database (names, most recent first).
  void SetRemoteDatabaseHistory(const rtl::TStrings* History);
  bool GetKeepConnection() const;
  void SetKeepConnection(bool Value);
  bool GetLoginPrompt() const;
  void SetLoginPrompt(bool Value);
  bool GetDefaultDatabase() const;
  void SetDefaultDatabase(bool Value);
  bool GetStoreConnected() const;
  void SetStoreConnected(bool Value);
  // The parameter lines shown; the list belongs to the dialog and is
  // refreshed on each call.
  rtl::TStrings* GetParams();
  void SetParams(const rtl::TStrings* Value);

  // "Add defaults" adds the lines GetDefaultParams gives whose names are
  // not there yet.
  void SetGetDefaultParams(TGetParamsProc Value);
  void SetOnLoadDefaultParamsClick(vcl::TNotifyEvent Value);
  void SetOnSaveDefaultParamsClick(vcl::TNotifyEvent Value);
  void SetOnSaveDefaultSrvTypeClick(vcl::TNotifyEvent Value);

  // The controls, created by the layout.
  vcl::TLabel* lblDatabaseName = nullptr;
  vcl::TEdit* edDatabaseName = nullptr;
  vcl::TLabel* lblServerType = nullptr;
  vcl::TComboBox* cbServerType = nullptr;
  vcl::TButton* btSaveDefaultSrvType = nullptr;
  vcl::TLabel* lblRemoteDatabase = nullptr;
  vcl::TComboBox* cbRemoteDatabase = nullptr;
  vcl::TButton* btRemoteDatabase = nullptr;
  vcl::TGroupBox* gbxOptions = nullptr;
  vcl::TCheckBox* cbKeepConnection = nullptr;
  vcl::TCheckBox* cbLoginPrompt = nullptr;
  vcl::TCheckBox* cbDefaultDatabase = nullptr;
  vcl::TCheckBox* cbStoreConnected = nullptr;
  vcl::TLabel* lblParams = nullptr;
  vcl::TMemo* meParams = nullptr;
  vcl::TButton* btLoadDefaultParams = nullptr;
  vcl::TButton* btSaveDefaultParams = nullptr;
  vcl::TButton* btAddDefaultParams = nullptr;
  vcl::TButton* btTestConnection = nullptr;
  vcl::TButton* btOk = nullptr;
  vcl::TButton* btCancel = nullptr;

  // Event handlers.
  void btRemoteDatabaseClick(rtl::TObject* Sender);
  void btAddDefaultParamsClick(rtl::TObject* Sender);
  void btTestConnectionClick(rtl::TObject* Sender);

 private:
  void CreateControls();  // the layout, in its own file
  std::unique_ptr<rtl::TStringList> FParams;
  TGetParamsProc FGetDefaultParams;
};

}  // namespace dralvo
