#pragma once
// Installs the framework's dialogs into its handler seams (the field-link
// designer, ...). The designer program and tests call it once; without it,
// the operations that show these dialogs raise a clear error.
namespace designide {

void InstallDesignerDialogs();

}  // namespace designide
