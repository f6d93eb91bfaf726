#include "vcl/DataModule.h"

#include "rtl/objects/ClassBuilder.h"

namespace vcl {

const rtl::TClass& TDataModule::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDataModule>("TDataModule", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

TDataModule::TDataModule(rtl::TComponent* owner) : rtl::TComponent(owner) {}

}  // namespace vcl
