#pragma once
// Dvconsts: the library's resource strings.

namespace dralvo {

inline constexpr const char* SEditSQLVerb = "SQL Editor...";
inline constexpr const char* SBindVerb = "Define Parameters...";
inline constexpr const char* SBindMacrosVerb = "Define Macros...";
inline constexpr const char* SEditDatabaseVerb = "Database Editor...";
inline constexpr const char* SDatasetDesignerVerb = "Fields Editor...";
inline constexpr const char* SUpdateSQLEditor = "UpdateSQL Editor...";
inline constexpr const char* SPrimary = "<Primary>";
inline constexpr const char* SSQLNotGenerated = "Update SQL statements not generated, exit anyway?";
inline constexpr const char* SSQLGenSelect = "Select at least one key field and one update field";
inline constexpr const char* SNoDataSet = "No dataset association";
inline constexpr const char* SSQLDataSetOpen = "Unable to determine field names for %s";
inline constexpr const char* STextTrue = "True";

// Error texts.
inline constexpr const char* SRuntimeNotInitialized = "The data-access runtime library is not initialized";
inline constexpr const char* SSessionNotFound = "Session '%s' not found";
inline constexpr const char* SDuplicateSessionName = "Duplicate session name '%s'";
inline constexpr const char* SDatabaseNotFound = "Database '%s' not found";
inline constexpr const char* SDatabaseNameMissing = "Missing DatabaseName property";
inline constexpr const char* SDuplicateDatabaseName = "Duplicate database name '%s'";
inline constexpr const char* SDatabaseOpen = "Cannot perform this operation on an open database";
inline constexpr const char* SConnectFailed = "%s: cannot connect to '%s': %s";
inline constexpr const char* SServerError = "%s error on '%s': %s";
inline constexpr const char* SRemoteDatabaseMissing = "%s: no remote database given";
inline constexpr const char* SLoginCancelled = "Login to database '%s' cancelled";
inline constexpr const char* SNoSQLStatement = "No SQL statement available";
inline constexpr const char* SQueryCancelled = "the query was cancelled";
inline constexpr const char* SWaitLimitReached =
    "a wait for the server reached STATEMENT TIMEOUT and the statement was stopped (the limit is %d ms)";
inline constexpr const char* SServerSilent = "no answer from the server in %d seconds; the connection was closed";
inline constexpr const char* SParamNoValue = "%s: parameter '%s' has no value";
inline constexpr const char* SNoResultSet = "The statement does not return a result set";
inline constexpr const char* STableNameMissing = "Missing TableName property";
inline constexpr const char* STableNotFound = "Table '%s' not found";
inline constexpr const char* SStoredProcNameMissing = "Missing StoredProcName property";
inline constexpr const char* SStoredProcNotFound = "Stored procedure '%s' not found";
inline constexpr const char* SNoStoredProcs = "%s has no stored procedures";
inline constexpr const char* SIndexNotFound = "Index '%s' not found";
inline constexpr const char* SNoUpdateObject = "%s: cannot modify a read-only dataset (no update object)";
inline constexpr const char* SNoUpdateSQL = "%s: no %s statement in the update object";
inline constexpr const char* SNoUpdateDataSet = "%s: the update object has no dataset";
inline constexpr const char* SNoPrimaryKey = "%s: table '%s' has no primary key to locate the record";
inline constexpr const char* SUnclosedMacro = "Unterminated quote in SQL text";
inline constexpr const char* SParamsFileError = "Cannot read parameters file '%s': %s";
inline constexpr const char* SConnectionTestPassed = "Connected to the %s database '%s'";

}  // namespace dralvo
