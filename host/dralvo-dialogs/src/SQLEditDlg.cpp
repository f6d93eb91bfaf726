// The SQL editor of a query: the text, the tables of the query's database
// and the columns of the chosen table, whose names a person inserts at the
// cursor.
#include "DialogLayout.h"
#include "TestConnection.h"
#include "TextEditDlg.h"
#include "dralvo/Database.h"
#include "dralvo/Query.h"
#include "dralvo/Session.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"

namespace dralvo {

namespace {

// A name as it is written in SQL text: quoted when the server would not
// read it back as it is, as its naming rules say.
std::string NameForSQL(TDVDatabase& db, const std::string& name) {
  const std::shared_ptr<const TDVNameRules> rules = db.NameRules();
  return rules->NeedsQuotes(name) ? rules->Quote(name) : name;
}

class TDVSQLEditDlg : public TDVTextEditDlg {
  RTL_CLASS(TDVSQLEditDlg)
 public:
  TDVSQLEditDlg(rtl::TComponent* AOwner, const std::string& Title, TDVQuery* Query)
      : TDVTextEditDlg(AOwner, Title, 560, 360), FQuery(Query) {
    SetName("DVSQLEditDlg");
    meText = Place<vcl::TMemo>(this, this, "meSQL", 8, 8, 372, 311);
    meText->SetScrollBars(vcl::TScrollStyle::ssBoth);
    meText->SetWordWrap(false);
    lblTables = Place<vcl::TLabel>(this, this, "lblTables", 388, 8, 164, 13, "&Tables:");
    lbTables = Place<vcl::TListBox>(this, this, "lbTables", 388, 24, 164, 120);
    lblTables->SetFocusControl(lbTables);
    lbTables->OnClick = [this](rtl::TObject*) { lbTablesClick(); };
    btAddTable = Place<vcl::TButton>(this, this, "btAddTable", 388, 148, 164, 23, "Insert t&able");
    btAddTable->OnClick = [this](rtl::TObject*) { btAddTableClick(); };
    lblFields = Place<vcl::TLabel>(this, this, "lblFields", 388, 178, 164, 13, "C&olumns:");
    lbFields = Place<vcl::TListBox>(this, this, "lbFields", 388, 194, 164, 96);
    lbFields->SetMultiSelect(true);
    lblFields->SetFocusControl(lbFields);
    btAddField = Place<vcl::TButton>(this, this, "btAddField", 388, 296, 164, 23, "Insert co&lumns");
    btAddField->OnClick = [this](rtl::TObject*) { btAddFieldClick(); };
    lblStatus = Place<vcl::TLabel>(this, this, "lblStatus", 112, 333, 276, 13);
  }
  ~TDVSQLEditDlg() override {
    // The dialog leaves the database as it found it.
    try {
      if (FConnectedHere != nullptr && FConnectedHere == FQuery->FindDatabase()) FConnectedHere->Close();
    } catch (const std::exception&) {
      // Closing a connection that only listed tables has nothing to lose.
    }
  }

  vcl::TLabel* lblTables = nullptr;
  vcl::TListBox* lbTables = nullptr;
  vcl::TButton* btAddTable = nullptr;
  vcl::TLabel* lblFields = nullptr;
  vcl::TListBox* lbFields = nullptr;
  vcl::TButton* btAddField = nullptr;
  vcl::TLabel* lblStatus = nullptr;

  // Lists the tables; a database that cannot be reached leaves the list
  // empty and says why.
  void LoadTables() {
    TDVDatabase* db = FQuery->FindDatabase();
    if (db == nullptr) {
      lblStatus->SetCaption("No database named '" + FQuery->DatabaseName() + "'");
      return;
    }
    const bool wasConnected = db->Connected();
    try {
      rtl::TStringList names;
      FQuery->GetDBSession()->GetTableNames(db->DatabaseName(), "", false, &names);
      lbTables->Items()->Assign(names);
    } catch (const rtl::Exception& e) {
      lblStatus->SetCaption(MaskPasswordIn(e.Message(), db->Params()->Values("PASSWORD")));
    }
    if (!wasConnected && db->Connected()) FConnectedHere = db;
  }

 private:
  TDVDatabase* ConnectedDatabase() const {
    TDVDatabase* db = FQuery->FindDatabase();
    return db != nullptr && db->Connected() ? db : nullptr;
  }
  void lbTablesClick() {
    lbFields->Items()->Clear();
    TDVDatabase* db = ConnectedDatabase();
    const int index = lbTables->ItemIndex();
    if (db == nullptr || index < 0) return;
    rtl::TStringList names;
    FQuery->GetDBSession()->GetFieldNames(db->DatabaseName(), lbTables->Items()->Get(index), &names);
    lbFields->Items()->Assign(names);
  }
  void btAddTableClick() {
    TDVDatabase* db = ConnectedDatabase();
    const int index = lbTables->ItemIndex();
    // Servers that list their tables quoted where needed (PostgreSQL,
    // Firebird) keep them so; a bare part that cannot stand bare is quoted.
    if (db != nullptr && index >= 0) meText->TypeText(db->NameRules()->TableReference(lbTables->Items()->Get(index)));
  }
  void btAddFieldClick() {
    TDVDatabase* db = ConnectedDatabase();
    if (db == nullptr) return;
    std::string text;
    for (int index : lbFields->SelectedIndexes())
      text += (text.empty() ? "" : ", ") + NameForSQL(*db, lbFields->Items()->Get(index));
    if (!text.empty()) meText->TypeText(text);
  }

  TDVQuery* FQuery;
  TDVDatabase* FConnectedHere = nullptr;
};

const rtl::TClass& TDVSQLEditDlg::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDVSQLEditDlg>("TDVSQLEditDlg", &TDVTextEditDlg::StaticClass()).Build();
  return cls;
}
}  // namespace

bool ShowSQLEditor(const std::string& Title, TDVQuery* Query, TShowCodeEditorProc ShowCodeEditor) {
  auto dlg = std::make_unique<TDVSQLEditDlg>(vcl::Application(), Title, Query);
  dlg->LoadTables();
  rtl::TStringList text;
  text.Assign(*Query->SQL());
  if (!dlg->Run(text, ShowCodeEditor)) return false;
  Query->SQL()->Assign(text);
  return true;
}

}  // namespace dralvo
