#pragma once
// tarvek-catalogue health: for an active index database, each index's status
// as the index manager shows it, the PDF files its mapping lists that are
// gone, and the PDF files in its folders that it does not cover.

#include <ostream>
#include <string_view>

#include "catalogue/tool/CatalogueDump.h"
#include "platform/Env.h"

namespace tarvek::tool {

// Prints one block per index and a summary line; true iff the database is
// whole and every index is fine. Paths are looked up through `env`.
bool health(Env& env, std::string_view databaseBytes, std::ostream& out, TextForm form);

}  // namespace tarvek::tool
