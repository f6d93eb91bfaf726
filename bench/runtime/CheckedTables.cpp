#include "CheckedTables.h"

#include "dralvo/SqlParser.h"

namespace dvbench {

TCheckedTables AddCheckedTables(rtl::TComponent* owner, const std::string& database, int count) {
  TCheckedTables out;
  for (int i = 0; i < count; ++i) {
    std::string t = "t" + std::to_string(i);
    auto* query = new dralvo::TDVQuery(owner);
    query->SetDatabaseName(database);
    query->SQL()->SetText("select id, code, name, qty, price as cost from " + t);
    auto* update = new dralvo::TDVUpdateSQL(owner);
    update->RefreshSQL()->SetText("select id, code, name, qty, price as cost\r\nfrom " + t + "\nwhere\n  id = :OLD_id");
    update->ModifySQL()->SetText("update " + t + "\nset\n  code = :code,\n  name = :name,\n  qty = :qty,\n"
                                 "  price = :cost\nwhere\n  id = :OLD_id");
    update->InsertSQL()->SetText("insert into " + t + "\n  (id, code, name, qty, price)\nvalues\n"
                                 "  (:id, :code, :name, :qty, :cost)");
    update->DeleteSQL()->SetText("delete from " + t + "\nwhere\n  id = :OLD_id");
    query->SetUpdateObject(update);
    out.Updates.push_back(update);
    for (int s = 0; s < 4; ++s)
      out.Statements.push_back(
          dralvo::sql::ToPositionalParams(update->GetSQLIndex(s)->Text(), dralvo::sql::ParamMarker::Question).sql);
  }
  return out;
}

}  // namespace dvbench
