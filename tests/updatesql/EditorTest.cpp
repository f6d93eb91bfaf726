// The UpdateSQL editor driven through its controls as a person drives it,
// on a real SQLite file.
#include <gtest/gtest.h>

#include "Support.h"
#include "dralvo/Consts.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"

namespace {

using namespace updtest;

class Editor : public TSQLiteModuleTest {
 protected:
  void SetUp() override {
    OpenModule("shop.db",
               "create table ORDERS(ORDER_ID integer primary key, CUSTOMER text not null, AMOUNT real, NOTE text);",
               "select ORDER_ID, CUSTOMER, AMOUNT as TOTAL from ORDERS");
    upd_ = module_->updateSQL;
    upd_->RefreshSQL()->Add("select 1\r\nfrom ORDERS");
    upd_->ModifySQL()->SetText("update ORDERS\nset NOTE = :NOTE\nwhere ORDER_ID = :OLD_ORDER_ID\n");
    upd_->InsertSQL()->Add("insert into ORDERS (NOTE) values (:NOTE)");
  }
  std::vector<Lines> Statements() const {
    std::vector<Lines> out;
    for (int i = 0; i < 4; ++i) out.push_back(upd_->GetSQLIndex(i)->ToVector());
    return out;
  }
  dralvo::TDVUpdateSQL* upd_ = nullptr;
};

TEST_F(Editor, OpensWithTheDatasetsTableFieldsAndStatements) {
  updtest::TRun run = RunEditor(upd_, [&](Form& f) {
    EXPECT_EQ(f.cbTableName->Items()->ToVector(), Lines{"ORDERS"});
    EXPECT_EQ(f.cbTableName->Text(), "ORDERS");
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"ORDER_ID", "CUSTOMER", "TOTAL"}));
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), Items(*f.lbKeyFields));
    EXPECT_EQ(SelectedItems(*f.lbUpdateFields), Items(*f.lbUpdateFields));
    EXPECT_FALSE(f.btDataSetDefaults->Enabled());
    EXPECT_TRUE(f.btGetTableFields->Enabled());
    EXPECT_TRUE(f.btSelectPrimKeys->Enabled());
    EXPECT_TRUE(f.btGenerateSQL->Enabled());
    EXPECT_FALSE(f.cbQuotedFields->Checked());
    EXPECT_EQ(f.rgrStatementType->ItemIndex(), 0);
    EXPECT_EQ(f.meSQLText->Lines()->ToVector(), (Lines{"select 1", "from ORDERS"}));
    EXPECT_EQ(f.pcUpdateSQL->ActivePage(), f.tsOptions);
    EXPECT_EQ(f.ActiveControl(), f.cbTableName);
    EXPECT_EQ(vcl::Screen()->Cursor(), vcl::crDefault);
    f.btCancel->Click();
  });
  EXPECT_FALSE(run.result);
  EXPECT_EQ(run.caption, "UpdateSQL1 (Query1)");
  EXPECT_TRUE(run.messages.empty());
}

TEST_F(Editor, CancelLeavesTheStatementsUntouched) {
  std::vector<Lines> before = Statements();
  updtest::TRun run = RunEditor(upd_, [](Form& f) {
    f.btGenerateSQL->Click();
    f.pcUpdateSQL->ChoosePage(f.tsSQL);
    f.meSQLText->SetFocus();
    f.meSQLText->TypeText("-- edited\n");
    f.rgrStatementType->Choose(3);
    f.PressEscape();
  });
  EXPECT_FALSE(run.result);
  EXPECT_EQ(Statements(), before);
}

TEST_F(Editor, OkWithoutChangeWritesAllFourBackUnchanged) {
  std::vector<Lines> before = Statements();
  upd_->DeleteSQL()->Clear();
  upd_->DeleteSQL()->Add("stale");
  rtl::TStrings* deleteList = upd_->DeleteSQL();
  int writes = 0;
  static_cast<rtl::TStringList*>(deleteList)->OnChange = [&](rtl::TStringList&) { ++writes; };
  updtest::TRun run = RunEditor(upd_, [](Form& f) {
    f.btOk->Click();
  });
  EXPECT_TRUE(run.result);
  EXPECT_GT(writes, 0);  // written, though unchanged
  EXPECT_EQ(upd_->DeleteSQL()->ToVector(), Lines{"stale"});
  before[3] = Lines{"stale"};
  EXPECT_EQ(Statements(), before);
  // The refresh entry keeps its line break: it never went through the memo.
  EXPECT_EQ(upd_->RefreshSQL()->Get(0), "select 1\r\nfrom ORDERS");
}

TEST_F(Editor, BlankModifyStatementAsksBeforeClosing) {
  struct Row {
    vcl::TModalResult answer;
    bool closes;
  };
  for (Row row : {Row{vcl::mrYes, true}, Row{vcl::mrNo, false}, Row{vcl::mrCancel, false}}) {
    upd_->ModifySQL()->SetText("  \n\t\n");
    std::vector<Lines> before = Statements();
    int refusals = 0;
    updtest::TRun run = RunEditor(
        upd_, [](Form& f) { f.btOk->Click(); }, [&](const vcl::TMessageDlgInfo&) { return row.answer; },
        [&](Form& f) {
          ++refusals;
          EXPECT_EQ(f.ModalResult(), vcl::mrNone);
          f.btCancel->Click();
        });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].Text, dralvo::SSQLNotGenerated);
    EXPECT_EQ(run.messages[0].Type, vcl::TMsgDlgType::mtConfirmation);
    EXPECT_EQ(run.messages[0].Buttons, vcl::mbYesNoCancel);
    EXPECT_EQ(run.result, row.closes);
    EXPECT_EQ(refusals, row.closes ? 0 : 1);
    // Yes stores the blank statement as it was; otherwise nothing is stored.
    EXPECT_EQ(Statements(), before);
  }
}

TEST_F(Editor, MemoEditLandsInTheStatementThatWasShown) {
  updtest::TRun run = RunEditor(upd_, [](Form& f) {
    f.pcUpdateSQL->ChoosePage(f.tsSQL);
    f.meSQLText->SetFocus();
    f.meSQLText->SelectAll();
    f.meSQLText->TypeText("select ORDER_ID\nfrom ORDERS");
    f.rgrStatementType->Choose(1);
    EXPECT_EQ(f.meSQLText->Lines()->Get(0), "update ORDERS");
    f.meSQLText->SetFocus();
    f.meSQLText->SelectAll();
    f.meSQLText->TypeText("update ORDERS set NOTE = :NOTE");
    f.btOk->Click();
  });
  EXPECT_TRUE(run.result);
  EXPECT_EQ(upd_->RefreshSQL()->ToVector(), (Lines{"select ORDER_ID", "from ORDERS"}));
  EXPECT_EQ(upd_->ModifySQL()->ToVector(), Lines{"update ORDERS set NOTE = :NOTE"});
}

TEST_F(Editor, GenerateFillsAllFourAndShowsTheChosenOne) {
  std::vector<Lines> shownAfter;
  updtest::TRun run = RunEditor(upd_, [&](Form& f) {
    f.rgrStatementType->SetItemIndex(2);  // chosen earlier on the SQL page
    f.lbKeyFields->SetAllSelected(false);
    f.lbKeyFields->SetSelected(0, true);
    f.btGenerateSQL->Click();
    EXPECT_EQ(f.pcUpdateSQL->ActivePage(), f.tsOptions);
    shownAfter.push_back(f.meSQLText->Lines()->ToVector());
    f.btGenerateSQL->Click();  // twice: the same
    shownAfter.push_back(f.meSQLText->Lines()->ToVector());
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  Lines insert{"insert into ORDERS", "  (ORDER_ID, CUSTOMER, TOTAL)", "values", "  (:ORDER_ID, :CUSTOMER, :TOTAL)"};
  EXPECT_EQ(shownAfter[0], insert);
  EXPECT_EQ(shownAfter[1], insert);
  EXPECT_EQ(upd_->InsertSQL()->ToVector(), insert);
  EXPECT_EQ(upd_->ModifySQL()->ToVector(),
            (Lines{"update ORDERS", "set", "  ORDER_ID = :ORDER_ID,", "  CUSTOMER = :CUSTOMER,", "  TOTAL = :TOTAL",
                   "where", "  ORDER_ID = :OLD_ORDER_ID"}));
  EXPECT_EQ(upd_->DeleteSQL()->ToVector(), (Lines{"delete from ORDERS", "where", "  ORDER_ID = :OLD_ORDER_ID"}));
  EXPECT_EQ(upd_->RefreshSQL()->ToVector(),
            (Lines{"select ORDER_ID, CUSTOMER, TOTAL\r\nfrom ORDERS", "where", "  ORDER_ID = :OLD_ORDER_ID"}));
}

TEST_F(Editor, GenerateWithoutSelectionsExplainsAndChangesNothing) {
  std::vector<Lines> before = Statements();
  for (bool clearKeys : {true, false}) {
    updtest::TRun run = RunEditor(upd_, [&](Form& f) {
      // A person opens the fields menu on one list and clears it.
      f.pmFields->Popup(clearKeys ? f.lbKeyFields : f.lbUpdateFields);
      f.miClearAll->Click();
      f.btGenerateSQL->Click();
      f.btOk->Click();
    });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].Text, dralvo::SSQLGenSelect);
    EXPECT_EQ(run.messages[0].Type, vcl::TMsgDlgType::mtError);
    EXPECT_EQ(run.messages[0].Buttons, vcl::mbOK);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(Statements(), before);
  }
}

TEST_F(Editor, SelectAllAndClearAllActOnTheListTheMenuWasOpenedOn) {
  RunEditor(upd_, [](Form& f) {
    f.pmFields->Popup(f.lbKeyFields);
    f.miClearAll->Click();
    EXPECT_TRUE(SelectedItems(*f.lbKeyFields).empty());
    EXPECT_EQ(SelectedItems(*f.lbUpdateFields).size(), 3u);
    f.pmFields->Popup(f.lbUpdateFields);
    f.miClearAll->Click();
    EXPECT_TRUE(SelectedItems(*f.lbUpdateFields).empty());
    f.pmFields->Popup(f.lbKeyFields);
    f.miSelectAll->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields).size(), 3u);
    EXPECT_TRUE(SelectedItems(*f.lbUpdateFields).empty());
    // Opened elsewhere, the items do nothing.
    f.pmFields->Popup(f.cbQuotedFields);
    f.miSelectAll->Click();
    EXPECT_TRUE(SelectedItems(*f.lbUpdateFields).empty());
    f.btCancel->Click();
  });
}

TEST_F(Editor, TableTextDecidesTheButtons) {
  struct Row {
    const char* text;
    bool enabled;
  };
  RunEditor(upd_, [](Form& f) {
    for (Row row : {Row{"   ", false}, Row{" ORDERS", true}, Row{"", false}, Row{"\t", false}, Row{"x", true}}) {
      f.cbTableName->TypeText(row.text);
      EXPECT_EQ(f.btGetTableFields->Enabled(), row.enabled) << '"' << row.text << '"';
      EXPECT_EQ(f.btSelectPrimKeys->Enabled(), row.enabled) << '"' << row.text << '"';
      EXPECT_EQ(f.btGenerateSQL->Enabled(), row.enabled) << '"' << row.text << '"';
      EXPECT_FALSE(f.btDataSetDefaults->Enabled());
    }
    f.cbTableName->Choose(0);
    EXPECT_TRUE(f.btGenerateSQL->Enabled());
    f.btCancel->Click();
  });
}

TEST_F(Editor, DataSetDefaultsAfterTableFieldsRestoresTheDatasetFields) {
  RunEditor(upd_, [](Form& f) {
    f.btGetTableFields->Click();
    EXPECT_EQ(Items(*f.lbUpdateFields), (Lines{"ORDER_ID", "CUSTOMER", "AMOUNT", "NOTE"}));
    EXPECT_TRUE(f.btDataSetDefaults->Enabled());
    f.lbUpdateFields->ClickItem(1);
    f.btDataSetDefaults->Click();
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"ORDER_ID", "CUSTOMER", "TOTAL"}));
    EXPECT_EQ(SelectedItems(*f.lbUpdateFields), Items(*f.lbUpdateFields));
    EXPECT_FALSE(f.btDataSetDefaults->Enabled());
    f.btCancel->Click();
  });
}

TEST_F(Editor, TableColumnsGenerateWithTheDatasetsAliases) {
  updtest::TRun run = RunEditor(upd_, [](Form& f) {
    f.btGetTableFields->Click();
    f.btSelectPrimKeys->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), Lines{"ORDER_ID"});
    f.cbQuotedFields->Click();
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  EXPECT_EQ(upd_->RefreshSQL()->Get(0),
            "select \"ORDER_ID\", \"CUSTOMER\", \"AMOUNT\" as \"TOTAL\", \"NOTE\"\r\nfrom \"ORDERS\"");
  EXPECT_EQ(upd_->ModifySQL()->ToVector().back(), "  \"ORDER_ID\" = :\"OLD_ORDER_ID\"");
}

TEST_F(Editor, ReloadedFieldInfoGivesTheNewAliases) {
  RunEditor(upd_, [&](Form& f) {
    f.btGetTableFields->Click();
    f.btGenerateSQL->Click();
    EXPECT_EQ(f.meSQLText->Lines()->Get(0), "select ORDER_ID, CUSTOMER, AMOUNT as TOTAL, NOTE");
    module_->query->SQL()->SetText("select ORDER_ID as ID, AMOUNT from ORDERS");
    f.InitProperties();
    f.btGetTableFields->Click();
    f.btGenerateSQL->Click();
    EXPECT_EQ(f.meSQLText->Lines()->Get(0), "select ORDER_ID as ID, CUSTOMER, AMOUNT, NOTE");
    EXPECT_EQ(f.meSQLText->Lines()->Get(3), "  ORDER_ID = :OLD_ID and");
    f.btCancel->Click();
  });
}

TEST_F(Editor, ReopeningShowsStoredStatementsAndForgetsOptions) {
  RunEditor(upd_, [](Form& f) {
    f.cbQuotedFields->Click();
    f.cbTableName->TypeText("OTHER");
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  Lines stored = upd_->RefreshSQL()->ToVector();
  RunEditor(upd_, [&](Form& f) {
    EXPECT_FALSE(f.cbQuotedFields->Checked());
    EXPECT_EQ(f.cbTableName->Text(), "ORDERS");
    EXPECT_EQ(Items(*f.lbKeyFields).size(), 3u);
    Lines shown = f.meSQLText->Lines()->ToVector();
    EXPECT_EQ(shown[0] + "\r\n" + shown[1], stored[0]);
    f.btCancel->Click();
  });
}

TEST(EditorCaption, FormOwnerDataModuleAndNoDataset) {
  struct TOwnerForm : vcl::TForm {
    explicit TOwnerForm(rtl::TComponent* owner) : vcl::TForm(owner) {}
  };
  auto form = std::make_unique<TOwnerForm>(nullptr);
  form->SetName("Form1");
  auto* upd = new dralvo::TDVUpdateSQL(form.get());
  upd->SetName("UpdateSQL1");
  EXPECT_EQ(dv::UpdateSQLEditorCaption(*upd), std::string("Form1.UpdateSQL1 (") + dralvo::SNoDataSet + ")");
  auto* query = new dralvo::TDVQuery(form.get());
  query->SetName("Query1");
  query->SetUpdateObject(upd);
  EXPECT_EQ(dv::UpdateSQLEditorCaption(*upd), "Form1.UpdateSQL1 (Query1)");
  // Statements can still be edited by hand without a dataset.
  query->SetUpdateObject(nullptr);
  updtest::TRun run = RunEditor(upd, [](Form& f) {
    EXPECT_FALSE(f.btGetTableFields->Enabled());
    EXPECT_FALSE(f.btGenerateSQL->Enabled());
    f.cbTableName->TypeText("T");
    EXPECT_FALSE(f.btSelectPrimKeys->Enabled());
    EXPECT_TRUE(f.cbTableName->Items()->ToVector().empty());
    EXPECT_TRUE(Items(*f.lbKeyFields).empty());
    f.pcUpdateSQL->ChoosePage(f.tsSQL);
    f.rgrStatementType->Choose(1);
    f.meSQLText->SetFocus();
    f.meSQLText->TypeText("update T set A = 1");
    f.btOk->Click();
  });
  EXPECT_EQ(run.caption, std::string("Form1.UpdateSQL1 (") + dralvo::SNoDataSet + ")");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(upd->ModifySQL()->ToVector(), Lines{"update T set A = 1"});
  // A plain component owner is no form either.
  rtl::TComponent plain(nullptr);
  plain.SetName("Plain");
  auto* lone = new dralvo::TDVUpdateSQL(&plain);
  lone->SetName("U");
  EXPECT_EQ(dv::UpdateSQLEditorCaption(*lone), std::string("U (") + dralvo::SNoDataSet + ")");
}

}  // namespace
