// dvdesigner drop FILE NODE TARGET [--save] [--package FILE]: drags a node
// of the module's Structure view onto another, as a person does in the
// view: prints whether the dragged node accepted the target, whether the
// drop changed the module, and each property it changed; with --save the
// module is written back when it changed. Exit status 1 when the drag was
// refused or the drop failed (nothing is changed then).
#include <iostream>
#include <map>
#include <utility>

#include "CommandModule.h"
#include "OutputText.h"
#include "Commands.h"
#include "StructureText.h"
#include "rtl/objects/TypeInfo.h"

namespace designer {

namespace {

using TValues = std::map<std::pair<std::string, std::string>, std::string>;

// Every string property of every component of the module.
TValues StringProperties(const rtl::TComponent& root) {
  TValues values;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    const rtl::TComponent* component = root.Components(i);
    for (const rtl::TPropInfo* prop : component->ClassType().Properties())
      if (prop->GetStr) values[{component->Name(), prop->Name}] = prop->GetStr(*component);
  }
  return values;
}

}  // namespace

int RunDrop(const TArgs& args) {
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  designide::TSprigTree tree(module.get());
  tree.Build(&module->Root());
  designide::TSprig* node = nullptr;
  designide::TSprig* target = nullptr;
  try {
    node = FindNodeByName(tree, args.Operand(1));
    target = FindNodeByName(tree, args.Operand(2));
  } catch (const rtl::Exception& e) {
    throw EBadInput(e.what());
  }

  const bool accepted = tree.DragOver(node, target);
  std::cout << (accepted ? "drag accepted\n" : "drag refused\n") << std::flush;
  if (!accepted) return 1;
  const TValues before = StringProperties(module->Root());
  const designide::TDropResult result = tree.Drop(node, target);
  // A drop may report a change that leaves the module as it was.
  const bool changed = result.Changed && module->HasChanges();
  std::cout << (changed ? "drop changed the module\n" : "drop changed nothing\n");
  const TValues after = StringProperties(module->Root());
  for (const auto& [key, value] : after)
    if (auto old = before.find(key); old != before.end() && old->second != value)
      std::cout << key.first << "." << key.second << ": '" << Escaped(old->second) << "' -> '" << Escaped(value)
                << "'\n";
  if (changed && tree.Selected() != nullptr) std::cout << "now at " << Escaped(NodePath(tree.Selected())) << "\n";
  if (args.Flag("--save")) SaveModule(*module, args);
  return 0;
}

}  // namespace designer
