// The entry into the UpdateSQL editor from the update object's component
// editor.
#include <memory>

#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"

namespace dv {

std::string UpdateSQLEditorCaption(const dralvo::TDVUpdateSQL& updateSQL) {
  std::string name;
  // A form's name leads; a data module's does not.
  if (rtl::Is<vcl::TForm>(updateSQL.Owner())) name = updateSQL.Owner()->Name() + ".";
  name += updateSQL.Name();
  dralvo::TDVDataSet* dataSet = updateSQL.DataSet();
  return rtl::Format("%s (%s)", {name, dataSet != nullptr ? dataSet->Name() : std::string(dralvo::SNoDataSet)});
}

bool EditUpdateSQL(dralvo::TDVUpdateSQL* updateSQL) {
  if (updateSQL == nullptr) throw rtl::Exception("EditUpdateSQL: no update object given");
  // Freed on every way out, also when filling the dialog raises.
  std::unique_ptr<TDVUpdateSQLEditForm> form(vcl::CreateForm<TDVUpdateSQLEditForm>(vcl::Application()));
  form->SetCaption(UpdateSQLEditorCaption(*updateSQL));
  form->SetUpdateSQL(updateSQL);
  form->InitProperties();
  if (form->ShowModal() != vcl::mrOk) return false;
  form->SaveStatements();
  return true;
}

}  // namespace dv
