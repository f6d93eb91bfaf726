#pragma once
// Name-list property editors: string properties that name a session, a
// database, a remote database, a stored procedure or a table offer the
// names that exist at design time; a database's Connected records its
// remote database as recently used.
#include "designide/PropertyEditors.h"
#include "rtl/text/Strings.h"

namespace dv {

// Turns the list of GetValueList into the value list.
class TDVStringProperty : public designide::TStringProperty {
  RTL_CLASS(TDVStringProperty)
 public:
  designide::TPropertyAttributes GetAttributes() override;
  void GetValues(const designide::TGetStrProc& Proc) override;
  // Appends the names to offer; raises EAbstractError unless overridden.
  virtual void GetValueList(rtl::TStrings* List);
};

// "RemoteDatabase": the recently used remote databases, most recent first.
class TDVDatabaseProperty : public TDVStringProperty {
  RTL_CLASS(TDVDatabaseProperty)
 public:
  static constexpr const char* HistoryListMarker = "<history list>";

  // Asks for a remote database of the database's server type; a cancelled
  // input stores nothing.
  void Edit() override;
  designide::TPropertyAttributes GetAttributes() override;
  // The marker "<history list>" (exactly that text) stores nothing.
  void SetValue(const std::string& Value) override;
  void GetValueList(rtl::TStrings* List) override;
};

// "SessionName": every session of the runtime.
class TDVSessionNameProperty : public TDVStringProperty {
  RTL_CLASS(TDVSessionNameProperty)
 public:
  void GetValueList(rtl::TStrings* List) override;
};

// "DatabaseName" of a dataset or a script: the databases of its session.
class TDVDatabaseNameProperty : public TDVStringProperty {
  RTL_CLASS(TDVDatabaseNameProperty)
 public:
  void GetValueList(rtl::TStrings* List) override;
};

// "StoredProcName": the procedures of the procedure's database.
class TDVStoredProcNameProperty : public TDVStringProperty {
  RTL_CLASS(TDVStoredProcNameProperty)
 public:
  void GetValueList(rtl::TStrings* List) override;
};

// "TableName": the tables of the table's database (no system tables).
class TDVTableNameProperty : public TDVStringProperty {
  RTL_CLASS(TDVTableNameProperty)
 public:
  // Only while the table's database exists and is connected.
  bool AutoFill() override;
  void GetValueList(rtl::TStrings* AList) override;
};

// A database's "Connected": connecting it from the Object Inspector
// records its remote database as the most recently used.
class TDVDatabaseConnectedProperty : public designide::TEnumProperty {
  RTL_CLASS(TDVDatabaseConnectedProperty)
 public:
  void SetValue(const std::string& Value) override;
};

}  // namespace dv
