#include "db/Exceptions.h"

namespace db {
void DatabaseError(const std::string& message) { throw EDatabaseError(message); }
}  // namespace db
