#pragma once
// A database's "ParamsFileName": typed, or chosen in the file-open dialog
// among parameter files that exist.
#include "designide/PropertyEditors.h"

namespace dv {

class TDVFileNameProperty : public designide::TStringProperty {
  RTL_CLASS(TDVFileNameProperty)
 public:
  // Filter text and options of the dialog.
  static constexpr const char* FileFilter =
      "Ini-files (*.ini)|*.INI|Text files (*.txt)|*.TXT|All files (*.*)|*.*";

  void Edit() override;
  designide::TPropertyAttributes GetAttributes() override;
};

}  // namespace dv
