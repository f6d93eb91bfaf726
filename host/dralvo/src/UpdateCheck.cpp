#include "dralvo/UpdateCheck.h"

#include <algorithm>

#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/SqlParser.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "sql/StatementKind.h"
#include "sql/UpdateStatement.h"

namespace dralvo {

namespace {

constexpr const char* kStatementNames[] = {"refresh", "modify", "insert", "delete"};
// The one kind of statement each slot runs.
constexpr const char* kStatementVerbs[] = {"select", "update", "insert", "delete"};
constexpr int kInsert = 2;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string NameList(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

// One update object's statements against one open connection.
class TChecker {
 public:
  // fields: the dataset's; null when they could not be learnt.
  TChecker(TDVConnection& conn, const std::vector<std::string>* fields, const std::string& dataSetName,
           TDVCheckResult& result)
      : conn_(conn), fields_(fields), dataSetName_(dataSetName), result_(result) {}

  // The statement is read once, by its server's rules, and everything
  // asked of it comes from those tokens.
  void Check(int index, const std::string& text) {
    statement_ = kStatementNames[index];
    text_ = text;
    const std::vector<sql::Token> tokens = sql::Tokenize(text, lexis_);
    // Anything else in the slot would run as it stands (a drop, a script):
    // it is reported, and not even prepared.
    const sql::StatementKind kind = sql::ReadStatementKind(text, tokens);
    const std::string expected = kStatementVerbs[index];
    if (kind.statements > 1) {
      Add(TDVFindingKind::WrongStatementKind,
          "holds " + std::to_string(kind.statements) + " statements; it must be one " + expected);
      return;
    }
    if (kind.verb != expected) {
      Add(TDVFindingKind::WrongStatementKind, "is a " + kind.verb + " statement; it must be one " + expected);
      return;
    }
    const std::vector<sql::ParamRef> params = sql::FindParams(text, tokens);
    if (fields_ != nullptr) CheckParams(params);
    const std::string refused = conn_.PrepareOnly(sql::ToPositionalParams(text, params, conn_.Dialect().Markers).sql);
    const sql::UpdateStatement st = sql::ReadUpdateStatement(text, tokens);
    // A statement the server accepts names only tables and columns that
    // exist, but for SQLite's reading of a double-quoted name that is no
    // column as a string; a refused one is explained by what is gone.
    if (!refused.empty()) {
      if (!st.ok || !CheckDrift(st, refused))
        Add(TDVFindingKind::NotAccepted, "the server does not accept the statement", refused);
      return;
    }
    if (!st.ok) return;
    const bool stringsForNames = conn_.ServerType() == TDVServerType::stSQLite &&
                                 std::any_of(st.columns.begin(), st.columns.end(), [](auto& c) { return c.quoted; });
    if (stringsForNames && CheckDrift(st, refused)) return;
    if (index != kInsert) CheckKey(st);
  }

 private:
  // A finding about the whole statement.
  void Add(TDVFindingKind kind, std::string problem, std::string serverMessage = {}) {
    result_.Findings.push_back({kind, statement_, std::move(problem), std::move(serverMessage), {}, 1, 1});
  }
  // A finding about what the statement writes at byte `offset`.
  void Add(TDVFindingKind kind, std::string problem, std::string serverMessage, std::string subject, size_t offset) {
    const sql::TextPosition at = sql::PositionAt(text_, offset);
    result_.Findings.push_back(
        {kind, statement_, std::move(problem), std::move(serverMessage), std::move(subject), at.line, at.column});
  }

  bool IsField(const std::string& name) const {
    for (const std::string& f : *fields_)
      if (rtl::AnsiSameText(f, name)) return true;
    return false;
  }

  void CheckParams(const std::vector<sql::ParamRef>& params) {
    std::vector<std::string> seen;
    for (const sql::ParamRef& p : params) {
      bool repeated = false;
      for (const std::string& s : seen) repeated = repeated || rtl::AnsiSameText(s, p.name);
      if (repeated) continue;
      seen.push_back(p.name);
      bool old = p.name.size() > 4 && rtl::SameText(p.name.substr(0, 4), "OLD_");
      if (IsField(p.name) || (old && IsField(p.name.substr(4)))) continue;
      Add(TDVFindingKind::ParameterWithoutField,
          "parameter :" + p.name + " matches no field of " + dataSetName_ + (old ? " (with or without OLD_)" : ""),
          {}, std::string(text_.substr(p.offset, p.length)), p.offset);
    }
  }

  // Whether a written name reads as the stored column, as the server reads
  // it: a server that keeps bare names as written (SQLite, MariaDB) compares
  // every column name ignoring ASCII case, quoted or not; one that folds bare
  // names (PostgreSQL) takes quoted names exactly and folds bare ones.
  bool Reads(const sql::WrittenName& written, const std::string& column) const {
    switch (conn_.Dialect().Folding) {
      case TDVNameFolding::None: return rtl::SameText(column, written.name);
      case TDVNameFolding::Lower: return column == (written.quoted ? written.name : rtl::LowerCase(written.name));
      case TDVNameFolding::Upper: return column == (written.quoted ? written.name : rtl::UpperCase(written.name));
    }
    return false;
  }

  // The statements of one object name one table as a rule: it is looked up
  // once, its keys at most once.
  bool LookUpTable(const std::string& table) {
    if (table == tableText_) return tableFound_;
    tableText_ = table;
    keysLoaded_ = false;
    primaryKeyLoaded_ = false;
    notNullLoaded_ = false;
    tableFound_ = conn_.FindTable(table, table_);
    return tableFound_;
  }

  // Whether the table or a column the statement names is gone.
  bool CheckDrift(const sql::UpdateStatement& st, const std::string& refused) {
    if (!LookUpTable(st.table)) {
      Add(TDVFindingKind::UnknownTable, "table " + st.table + " does not exist", refused, st.table, st.tableOffset);
      return true;
    }
    std::vector<std::string> columns;
    conn_.GetFieldNames(table_, columns);
    bool missing = false;
    std::vector<std::string> told;
    for (const sql::WrittenName& c : st.columns) {
      if (std::any_of(columns.begin(), columns.end(), [&](const std::string& stored) { return Reads(c, stored); }))
        continue;
      bool again = false;
      for (const std::string& t : told) again = again || t == c.name;
      if (again) continue;
      told.push_back(c.name);
      Add(TDVFindingKind::UnknownColumn,
          "column " + (c.quoted ? Quoted(c.name) : c.name) + " does not exist in table " + st.table, refused,
          std::string(c.written), c.offset);
      missing = true;
    }
    return missing;
  }

  // The table's unique indexes in the server's order, each with its key
  // columns; asked once per table.
  struct TKey {
    std::string Name;
    bool Primary = false;
    std::vector<std::string> Columns;  // empty entry: an expression
  };
  const std::vector<TKey>& Keys() {
    if (keysLoaded_) return keys_;
    keysLoaded_ = true;
    keys_.clear();
    std::vector<TDVIndexColumn> rows;
    conn_.GetIndexColumns(table_, rows);
    for (const TDVIndexColumn& r : rows) {
      if (r.IndexType == 0) continue;
      if (keys_.empty() || keys_.back().Name != r.IndexName)
        keys_.push_back({r.IndexName, (r.IndexType & IndexTypePrimary) != 0, {}});
      keys_.back().Columns.push_back(r.ColumnName);
    }
    return keys_;
  }

  // The first column of a unique index that can hold null ("" when none):
  // such an index lets several rows share one value. A primary key counts
  // whole.
  std::string NullableColumn(const TKey& key) {
    if (key.Primary) return {};
    if (!notNullLoaded_) {
      conn_.GetNotNullColumns(table_, notNull_);
      notNullLoaded_ = true;
    }
    for (const std::string& c : key.Columns) {
      if (c.empty()) return "an expression";
      if (std::find(notNull_.begin(), notNull_.end(), c) == notNull_.end()) return c;
    }
    return {};
  }

  // The where clause must pin every column of the primary key or of a
  // unique index that is not partial and holds no null.
  void CheckKey(const sql::UpdateStatement& st) {
    if (!LookUpTable(st.table)) return;  // accepted, so a view or synonym the catalog does not list
    std::vector<std::string> pinned;
    for (const sql::WrittenName& w : st.pinned) pinned.push_back(w.name);
    auto covers = [&](const TKey& key) {
      for (const std::string& c : key.Columns)
        if (std::none_of(st.pinned.begin(), st.pinned.end(), [&](const sql::WrittenName& w) { return Reads(w, c); }))
          return false;
      return true;
    };
    // The primary key first: one short question settles the usual case.
    if (!primaryKeyLoaded_) {
      conn_.GetPrimaryKeyColumns(table_, primaryKey_.Columns);
      primaryKey_.Primary = true;
      primaryKeyLoaded_ = true;
    }
    if (!primaryKey_.Columns.empty() && covers(primaryKey_)) return;
    for (const TKey& key : Keys())
      if (covers(key) && NullableColumn(key).empty()) return;
    std::vector<std::string> keys, notKeys;
    for (const TKey& key : Keys()) {
      std::string shown = (key.Primary ? "primary key " : "unique index ") + key.Name + " (" + NameList(key.Columns) + ")";
      std::string nullable = NullableColumn(key);
      if (nullable.empty()) keys.push_back(shown);
      else notKeys.push_back(shown + ", as " + nullable + " can be null");
    }
    std::string problem =
        !st.hasWhere ? "has no where clause: it reaches every row of " + st.table
        : pinned.empty()
            ? "the where clause pins no column with \"=\" alone: it can reach every row of " + st.table
            : "the where clause pins only " + NameList(pinned) + ", no key of " + st.table +
                  ": rows sharing those values are reached together";
    problem += keys.empty() ? "; the table has no key" : "; keys: " + NameList(keys);
    if (!notKeys.empty()) problem += "; not a key: " + NameList(notKeys);
    Add(TDVFindingKind::WhereWithoutKey, problem, {}, st.table, st.hasWhere ? st.whereOffset : st.tableOffset);
  }

  TDVConnection& conn_;
  const sql::LexicalRules lexis_ = conn_.Lexis();
  const std::vector<std::string>* fields_;
  std::string dataSetName_;
  TDVCheckResult& result_;
  std::string statement_;
  std::string_view text_;  // the statement being checked
  std::string tableText_;  // the table last looked up, as written
  bool tableFound_ = false;
  TDVTableRef table_;
  bool primaryKeyLoaded_ = false;
  TKey primaryKey_;
  bool keysLoaded_ = false;
  std::vector<TKey> keys_;
  bool notNullLoaded_ = false;
  std::vector<std::string> notNull_;
};

}  // namespace

const char* FindingRuleId(TDVFindingKind kind) {
  switch (kind) {
    case TDVFindingKind::NotChecked: return "not-checked";
    case TDVFindingKind::DataSetNotDescribed: return "dataset-not-described";
    case TDVFindingKind::WrongStatementKind: return "wrong-statement-kind";
    case TDVFindingKind::NotAccepted: return "not-accepted";
    case TDVFindingKind::UnknownTable: return "unknown-table";
    case TDVFindingKind::UnknownColumn: return "unknown-column";
    case TDVFindingKind::ParameterWithoutField: return "parameter-without-field";
    case TDVFindingKind::WhereWithoutKey: return "where-without-key";
  }
  return "unknown";
}

TDVCheckResult CheckUpdateObject(TDVDataSetUpdateObject& update) {
  TDVCheckResult result;
  auto unchecked = [&](std::string why) {
    result.Findings.push_back({TDVFindingKind::NotChecked, "", std::move(why), "", "", 0, 0});
    return result;
  };
  TDVDataSet* dataSet = update.DataSet();
  if (dataSet == nullptr) return unchecked("no dataset names it as its UpdateObject");
  const std::string dataSetName = dataSet->Name().empty() ? dataSet->ClassName() : dataSet->Name();
  if (rtl::Trim(dataSet->DatabaseName()).empty()) return unchecked("its dataset " + dataSetName + " names no database");
  TDVDatabase* database = dataSet->FindDatabase();
  if (database == nullptr)
    return unchecked("its dataset " + dataSetName + " names the database " + dataSet->DatabaseName() +
                     ", which the module does not hold");
  try {
    database->Open();
  } catch (const rtl::Exception& e) {
    return unchecked(std::string("cannot connect to its database ") + database->DatabaseName() + ": " + e.what());
  }
  // The check rolls back what it began; it must not end a transaction of
  // someone else's.
  if (database->InTransaction())
    return unchecked("its database " + database->DatabaseName() + " is inside a transaction");
  // A wait that ran out decides nothing: the object is not checked, and the
  // message names what it waited for.
  auto waited = [&](const std::string& what, const EDVWaitExpired& e) {
    return unchecked(what + " waited for a lock or the server beyond the database's time-out: " + e.what());
  };
  std::vector<std::string> fields;
  bool fieldsKnown = true;
  try {
    fields = dataSet->DescribedFieldNames();
  } catch (const EDVWaitExpired& e) {
    return waited("describing the SQL of its dataset " + dataSetName, e);
  } catch (const rtl::Exception& e) {
    fieldsKnown = false;
    result.Findings.push_back(
        {TDVFindingKind::DataSetNotDescribed, "", "the SQL of its dataset " + dataSetName + " cannot be described",
         e.what(), "", 0, 0});
  }
  TChecker checker(database->Connection(), fieldsKnown ? &fields : nullptr, dataSetName, result);
  int current = 0;
  try {
    for (int i = 0; i < 4; ++i) {
      current = i;
      const std::string text = update.GetSQLIndex(i)->Text();
      if (rtl::Trim(text).empty()) continue;
      ++result.Statements;
      checker.Check(i, text);
    }
  } catch (const EDVWaitExpired& e) {
    return waited("its " + std::string(kStatementNames[current]) + " statement", e);
  } catch (const rtl::Exception& e) {  // the connection failed on the way
    return unchecked(std::string("the check broke off: ") + e.what());
  }
  return result;
}

}  // namespace dralvo
