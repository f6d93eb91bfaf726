#pragma once
// The parts of Register, one per kind of registration. Register calls them
// in the order the IDE expects; each lives in a file of its own.
namespace dv {

// The palette page and its components.
void RegisterPalette();
// Editors of names, file names, index names and parameter collections.
void RegisterPropertyEditors();
// Context-menu verbs and double-click actions.
void RegisterComponentEditors();
// Editors of string lists and of the master-detail field link; the query's
// SQL editor only while the settings allow it.
void RegisterTextAndLinkEditors();
// The IDE's database category.
void RegisterCategories();
// Structure-view nodes.
void RegisterSprigs();

}  // namespace dv
