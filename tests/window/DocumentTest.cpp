// The open module without a window: the example read as the designer
// reads it, components made, deleted and moved with undo and redo, and
// saves that fail without losing anything.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "WindowEnvironment.h"
#include "model/DesignDocument.h"
#include "rtl/files/AtomicFile.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/SysUtils.h"

namespace windowtest {
namespace {

using designer::TDesignDocument;

rtl::TComponent* Find(TDesignDocument& doc, const std::string& name) { return doc.Root().FindComponent(name); }

rtl::TObject* ObjectProperty(rtl::TComponent& component, const std::string& name) {
  const rtl::TPropInfo* prop = component.ClassType().FindProperty(name);
  return prop != nullptr && prop->GetObj ? prop->GetObj(component) : nullptr;
}

class DocumentTest : public ::testing::Test {
 protected:
  TExample example_;
  std::unique_ptr<TDesignDocument> doc_ = TDesignDocument::Open(example_.Module());
};

TEST_F(DocumentTest, NewComponentsAreNamedPlacedSelectedAndUndoneOneByOne) {
  unsigned told = 0;
  doc_->OnChange = [&](unsigned changes) { told |= changes; };
  rtl::TComponent& first = doc_->CreateComponent(rtl::GetClass("TDVQuery"), 10, 20);
  rtl::TComponent& second = doc_->CreateComponent(rtl::GetClass("TDVQuery"), 50, 60);
  EXPECT_EQ(first.Name(), "DVQuery1");
  EXPECT_EQ(second.Name(), "DVQuery2");
  EXPECT_TRUE(second.IsDesigning());
  EXPECT_EQ(second.Owner(), &doc_->Root());
  EXPECT_EQ(doc_->Selection().Items(), std::vector<rtl::TComponent*>{&second});
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_TRUE(told & designer::dcComponents);
  EXPECT_EQ(doc_->UndoLabel(), "Create DVQuery2");

  doc_->Undo();
  EXPECT_EQ(Find(*doc_, "DVQuery2"), nullptr);
  ASSERT_NE(Find(*doc_, "DVQuery1"), nullptr);
  doc_->Undo();
  EXPECT_EQ(Find(*doc_, "DVQuery1"), nullptr);
  EXPECT_FALSE(doc_->IsModified()) << "back to the text that was opened";
  EXPECT_FALSE(doc_->CanUndo());

  doc_->Redo();
  doc_->Redo();
  rtl::TComponent* again = Find(*doc_, "DVQuery2");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->DesignLeft(), 50);
  EXPECT_EQ(again->DesignTop(), 60);
  EXPECT_TRUE(again->IsDesigning());
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_FALSE(doc_->CanRedo());
}

TEST_F(DocumentTest, UndoingADeleteBringsBackReferencesOrderAndSelection) {
  const std::string before = rtl::WriteComponentText(doc_->Root());
  rtl::TComponent* query = Find(*doc_, "OrdersQuery");
  ASSERT_NE(ObjectProperty(*query, "UpdateObject"), nullptr);
  doc_->Selection().Select(Find(*doc_, "OrdersUpdate"));
  doc_->DeleteSelected();
  EXPECT_EQ(Find(*doc_, "OrdersUpdate"), nullptr);
  EXPECT_EQ(ObjectProperty(*Find(*doc_, "OrdersQuery"), "UpdateObject"), nullptr);
  EXPECT_TRUE(doc_->Selection().Empty());
  EXPECT_EQ(doc_->UndoLabel(), "Delete OrdersUpdate");

  doc_->Undo();
  rtl::TComponent* update = Find(*doc_, "OrdersUpdate");
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(ObjectProperty(*Find(*doc_, "OrdersQuery"), "UpdateObject"), update);
  EXPECT_EQ(rtl::WriteComponentText(doc_->Root()), before);
  EXPECT_EQ(doc_->Selection().Items(), std::vector<rtl::TComponent*>{update});
}

TEST_F(DocumentTest, MovingTheSelectionIsOneStepAndTheRootStaysPut) {
  rtl::TComponent* database = Find(*doc_, "ShopDatabase");
  rtl::TComponent* table = Find(*doc_, "CustomersTable");
  doc_->Selection().SetItems({database, table, &doc_->Root()});
  doc_->MoveSelected(8, -16);
  EXPECT_EQ(database->DesignLeft(), 48);
  EXPECT_EQ(database->DesignTop(), 8);
  EXPECT_EQ(table->DesignLeft(), 160);
  EXPECT_EQ(doc_->Root().DesignLeft(), 0);
  EXPECT_EQ(doc_->UndoLabel(), "Move");
  doc_->Undo();
  EXPECT_EQ(Find(*doc_, "ShopDatabase")->DesignLeft(), 40);
  EXPECT_FALSE(doc_->CanUndo());
  // A new change after an undo: the undone move cannot come back over it.
  ASSERT_TRUE(doc_->CanRedo());
  doc_->Selection().SetItems({Find(*doc_, "ShopDatabase")});
  doc_->MoveSelected(0, 4);
  EXPECT_FALSE(doc_->CanRedo());
  doc_->Redo();
  EXPECT_EQ(Find(*doc_, "ShopDatabase")->DesignLeft(), 40);
  EXPECT_EQ(Find(*doc_, "ShopDatabase")->DesignTop(), 28);
}

TEST_F(DocumentTest, ModifiedCallsOfOneActionAreOneStepEvenWhenItFails) {
  rtl::TComponent* table = Find(*doc_, "CustomersTable");
  const rtl::TPropInfo* tableName = table->ClassType().FindProperty("TableName");
  doc_->Change("Rename table", [&] {
    tableName->SetStr(*table, "orders");
    doc_->Modified();
    tableName->SetStr(*table, "order_lines");
    doc_->Modified();
  });
  EXPECT_EQ(doc_->UndoLabel(), "Rename table");
  EXPECT_THROW(doc_->Change("Broken", [&] {
    tableName->SetStr(*Find(*doc_, "CustomersTable"), "stock");
    doc_->Modified();
    throw rtl::Exception("the editor gave up");
  }),
               rtl::Exception);
  EXPECT_EQ(doc_->UndoLabel(), "Broken") << "what was changed before the error can be undone";
  doc_->Undo();
  EXPECT_EQ(tableName->GetStr(*Find(*doc_, "CustomersTable")), "order_lines");
  doc_->Undo();
  EXPECT_EQ(tableName->GetStr(*Find(*doc_, "CustomersTable")), "customers");
}

TEST_F(DocumentTest, AComponentFreedByAnEditorLeavesTheSelection) {
  int told = 0;
  rtl::TComponent* table = Find(*doc_, "CustomersTable");
  doc_->Selection().SetItems({Find(*doc_, "ShopDatabase"), table});
  doc_->Selection().OnChange = [&] { ++told; };
  delete table;
  EXPECT_EQ(doc_->Selection().Items(), std::vector<rtl::TComponent*>{Find(*doc_, "ShopDatabase")});
  EXPECT_EQ(told, 1);
}

TEST_F(DocumentTest, FailedSavesKeepTheFileTheNameAndTheModifiedMark) {
  const std::string original = rtl::ReadFileToString(example_.Module());
  doc_->CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  // A folder where the file should be: the rename cannot replace it.
  const std::string blocked = example_.File("Blocked.dfm");
  std::filesystem::create_directory(blocked);
  EXPECT_THROW(doc_->SaveAs(blocked), std::exception);
  EXPECT_THROW(doc_->SaveAs(example_.Module() + "/Inside.dfm"), std::exception);
  EXPECT_EQ(doc_->FileName(), example_.Module());
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(rtl::ReadFileToString(example_.Module()), original);

  doc_->SaveAs(example_.File("Copy.dfm"));
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_EQ(doc_->DisplayName(), "Copy.dfm");
  auto reopened = TDesignDocument::Open(example_.File("Copy.dfm"));
  EXPECT_NE(reopened->Root().FindComponent("DVSession1"), nullptr);
}

TEST_F(DocumentTest, ASaveNeverOverwritesAnotherProgramsSaveUnlessToldTo) {
  doc_->CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  rtl::WriteFileAtomic(example_.Module(), "another program's\n");
  EXPECT_THROW(doc_->Save(), rtl::EFileChangedError);
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(rtl::ReadFileToString(example_.Module()), "another program's\n");
  doc_->Save(true);
  // Its own saves follow one another freely.
  doc_->CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  doc_->Save();
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_NE(TDesignDocument::Open(example_.Module())->Root().FindComponent("DVSession2"), nullptr);
}

// A reported change that leaves the text as saved is none: the module stays
// unmodified, and a save leaves the file (its inode and its time) alone.
TEST_F(DocumentTest, AChangeThatChangesNothingLeavesTheModuleUnmodifiedAndTheFileAlone) {
  auto identity = [&] {
    struct stat st {};
    EXPECT_EQ(::stat(example_.Module().c_str(), &st), 0);
    return std::make_pair(st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec);
  };
  const auto before = identity();
  doc_->Change("Nothing", [&] { doc_->Modified(); });
  EXPECT_FALSE(doc_->IsModified());
  doc_->Selection().SetItems({Find(*doc_, "ShopDatabase")});
  doc_->MoveSelected(0, 4);
  EXPECT_TRUE(doc_->IsModified());
  doc_->MoveSelected(0, -4);
  EXPECT_FALSE(doc_->IsModified()) << "moved back where it was saved";
  EXPECT_FALSE(doc_->Save());
  EXPECT_EQ(identity(), before);
  doc_->MoveSelected(0, 4);
  EXPECT_TRUE(doc_->Save());
  EXPECT_NE(identity(), before);
}

TEST(NewDocument, IsAnEmptyUntitledDataModuleThatCannotBeSavedWithoutAName) {
  auto doc = TDesignDocument::CreateNew();
  EXPECT_EQ(doc->Root().ClassName(), "TDataModule");
  EXPECT_EQ(doc->Root().ComponentCount(), 0);
  EXPECT_EQ(doc->DisplayName(), "Untitled.dfm");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_THROW(doc->Save(), rtl::Exception);
}

}  // namespace
}  // namespace windowtest
