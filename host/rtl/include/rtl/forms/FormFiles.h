#pragma once
// Form files: the platform's text format for a component tree (a data
// module and the components it owns), read and written through the
// published-property tables of the classes.
//
//   object ShopModule: TDataModule
//     object Orders: TQuery
//       SQL.Strings = (
//         'select * from orders')
//     end
//   end
//
// The root line must name a registered class (a data module names
// TDataModule); the name before the colon becomes the root's Name. Every
// nested object is created from its registered class and owned by the root.
// Non-visual components have no parent, so nesting is accepted on reading
// and the writer puts every component at the first level.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "rtl/files/FileStamp.h"
#include "rtl/objects/Component.h"
#include "rtl/system/Exceptions.h"

namespace rtl {

class TFormPositions;

// A form file that cannot be read: the message reads
// "<source>:<line>:<column>: <reason>".
class EFormFileError : public EParserError {
 public:
  EFormFileError(std::string source, int line, int column, std::string reason);
  const std::string& Source() const noexcept { return source_; }
  int Line() const noexcept { return line_; }
  int Column() const noexcept { return column_; }
  const std::string& Reason() const noexcept { return reason_; }

 private:
  std::string source_;
  int line_;
  int column_;
  std::string reason_;
};

struct TFormReadOptions {
  // A designer loads the module: every component is marked csDesigning
  // before its properties are set.
  bool Designing = false;
  // Objects and collections nested deeper than this are refused.
  int MaxDepth = 64;
  // Called once the root exists, before any of its components or properties
  // are read (a designer notes the module's folder there, so that Loaded
  // already sees it). On a refused file the root is freed afterwards.
  std::function<void(TComponent& root)> OnRootCreated;
  // Receives the stamp of the file read, for a save that must not overwrite
  // another writer's (WriteComponentFile).
  TFileStamp* Stamp = nullptr;
  // Filled with where each object and each component's string list stood
  // in the text (a checker's messages point there); reading without it
  // records nothing.
  TFormPositions* Positions = nullptr;
};

// Reads a whole module. On any error nothing survives: every component
// created so far is freed and EFormFileError (an EParserError) is raised.
// References to other components are resolved after the whole text is
// read; then Loaded() runs on every component, the root first.
std::unique_ptr<TComponent> ReadComponentText(const std::string& text, const std::string& sourceName,
                                              const TFormReadOptions& options = {});
std::unique_ptr<TComponent> ReadComponentFile(const std::string& path, const TFormReadOptions& options = {});

// The canonical layout: two blanks of indentation per level, properties in
// published order (values equal to their defaults left out), then the
// owned components in creation order. A file in this layout reads and
// writes back byte for byte. Raises EPropertyError for a value that cannot
// be written (a reference to an unnamed component, say), before anything
// is written.
std::string WriteComponentText(const TComponent& root);
// The same layout for a listing that shows values otherwise than they are
// stored: `shown` gets every string property (listEntry false) and every
// string-list entry (listEntry true) and returns the text to write. The
// result need not read back into the same module.
using TFormStringFilter = std::function<std::string(std::string_view value, bool listEntry)>;
std::string WriteComponentText(const TComponent& root, const TFormStringFilter& shown);
// Makes the whole text, then replaces the file in one rename (TAtomicFile);
// on failure the old file stays intact. With the known stamp of the file
// as it was read, raises EFileChangedError instead when the file changed on
// disk since. Returns the stamp of the file written.
TFileStamp WriteComponentFile(const std::string& path, const TComponent& root, const TFileStamp& read = {});

}  // namespace rtl
