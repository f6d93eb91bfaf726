#pragma once
// Pictures of what the package's property editors show: the field-link
// designer behind a table's MasterFields, and the file-open dialog of a
// database's ParamsFileName with its row of file types.
#include <string>

void SavePropertyEditorPictures(const std::string& outputFolder, const std::string& workFolder);
