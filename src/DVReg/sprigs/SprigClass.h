#pragma once
// The class reference of one of the package's sprig classes: creatable (the
// tree makes sprigs from it), with no published properties.
#include "rtl/objects/ClassBuilder.h"

namespace dv {

template <class T>
const rtl::TClass& SprigClass(const char* Name, const rtl::TClass& Parent) {
  static const rtl::TClass cls = rtl::ClassBuilder<T>(Name, &Parent).Creatable().Build();
  return cls;
}

}  // namespace dv
