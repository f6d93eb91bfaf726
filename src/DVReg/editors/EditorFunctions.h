#pragma once
// Functions of the registration unit shared by the component editors and
// the property editors. A true result means the component was changed and
// the designer's Modified is due.
#include <string>

namespace designide {
class IDesigner;
}
namespace dralvo {
class TDVDatabase;
class TDVDataSet;
class TDVMacroQuery;
class TDVQuery;
class TDVStoredProc;
class TDVUpdateSQL;
}  // namespace dralvo

namespace dv {

// The About verb's caption: the product name and the version text of this
// package's file, separated by one blank ("Dralvo " when the file has no
// version data).
std::string GetAboutVerbCaption();

// The database named by the procedure's DatabaseName in the session named
// by its SessionName, or null when that session has no such database. An
// unknown session raises EDatabaseError naming it.
dralvo::TDVDatabase* FindStoredProcDatabase(dralvo::TDVStoredProc* StoredProc);

// The Name of the form or data module being designed.
std::string GetDesignerRootName(designide::IDesigner* Designer);

// The collection editor on the query's Params; items can be chosen but not
// added, deleted or moved. Returns false.
bool EditQueryParams(designide::IDesigner* Designer, dralvo::TDVQuery* Query);

// The collection editor on the macro query's Macros, as EditQueryParams.
bool EditMacroQueryMacros(designide::IDesigner* Designer, dralvo::TDVMacroQuery* Query);

// The collection editor on the procedure's Params. A procedure without
// parameters is prepared first (and unprepared afterwards); when the
// server describes the parameters, they can only be chosen, otherwise they
// can also be added and deleted. Returns false.
bool EditStoredProcParams(designide::IDesigner* Designer, dralvo::TDVStoredProc* StoredProc);

// Runs the UpdateSQL editor on the update object; when it changed the
// object, tells the designer (if any) and returns true.
bool ExecuteUpdateSQLEditor(designide::IDesigner* designer, dralvo::TDVUpdateSQL* updateSQL);

// Whether the dataset's database (found by its SessionName and
// DatabaseName) exists and is connected. Only looks; connects nothing.
bool IsDataSetDatabaseConnected(dralvo::TDVDataSet* DataSet);

}  // namespace dv
